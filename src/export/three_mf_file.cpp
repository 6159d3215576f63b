#include "export/three_mf_file.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <unordered_map>

#include "export/crc32.h"
#include "export/export_refusal.h"
#include "export/parallel_tasks.h"
#include "export/stored_zip.h"
#include "platform/file_set.h"

namespace puffel {

namespace {

constexpr const char* TooLargeMessage = "ファイルが大きすぎて書き出せません！";

constexpr const char* ContentTypesName = "[Content_Types].xml";
constexpr const char* ContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"model\" "
    "ContentType=\"application/vnd.ms-package.3dmanufacturing-3dmodel+xml\"/></Types>\n";
constexpr const char* RelationshipsName = "_rels/.rels";
constexpr const char* Relationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Target=\"/3D/3dmodel.model\" Id=\"rel0\" "
    "Type=\"http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel\"/></Relationships>\n";
constexpr const char* ModelName = "3D/3dmodel.model";
constexpr const char* ModelHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<model unit=\"millimeter\" xml:lang=\"en-US\" "
    "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\" "
    "xmlns:m=\"http://schemas.microsoft.com/3dmanufacturing/material/2015/02\">\n"
    "<metadata name=\"Application\">Puffel</metadata>\n<resources>\n";

void number(std::string& out, float value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  out.append(text, end);
}

void number(std::string& out, uint64_t value) {
  char text[24];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  out.append(text, end);
}

using Palette = std::unordered_map<uint32_t, uint32_t>;  // colour to its index

struct Model {
  const std::vector<PrintShell>& shells;
  std::vector<uint32_t> colours;  // in order of first use
  Palette palette;
  std::vector<uint64_t> firstVertex;  // where each shell's vertices start

  explicit Model(const std::vector<PrintShell>& s) : shells(s) {
    uint64_t vertexCount = 0;
    for (const PrintShell& shell : shells) {
      firstVertex.push_back(vertexCount);
      vertexCount += shell.vertices.size();
      for (const PrintTriangle& triangle : shell.triangles) {
        if (palette.try_emplace(triangle.colour, static_cast<uint32_t>(colours.size())).second) {
          colours.push_back(triangle.colour);
        }
      }
    }
  }

  size_t chunks() const { return 2 * shells.size() + 2; }

  // Chunk 0 is the head, the colour group (resource 1) and the start of the
  // figure's object (resource 2); then the vertices of each shell, the
  // triangles of each shell, and the end with the build.
  void chunk(size_t n, std::string& out) const {
    const size_t count = shells.size();
    if (n == 0) {
      out += ModelHead;
      out += "<m:colorgroup id=\"1\">\n";
      for (const uint32_t colour : colours) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06X", colour);
        out += "<m:color color=\"#";
        out += hex;
        out += "\"/>\n";
      }
      out += "</m:colorgroup>\n<object id=\"2\" type=\"model\" name=\"figure\" pid=\"1\" pindex=\"";
      number(out, uint64_t{palette.at(shells[0].triangles[0].colour)});
      out += "\"><mesh><vertices>\n";
    } else if (n <= count) {
      vertices(shells[n - 1], out);
    } else if (n <= 2 * count) {
      if (n == count + 1) out += "</vertices><triangles>\n";
      triangles(n - count - 1, out);
    } else {
      out +=
          "</triangles></mesh></object>\n</resources>\n<build><item "
          "objectid=\"2\"/></build>\n</model>\n";
    }
  }

  static void vertices(const PrintShell& shell, std::string& out) {
    out.reserve(shell.vertices.size() * 48);
    for (const auto& v : shell.vertices) {
      out += "<vertex x=\"";
      number(out, v[0]);
      out += "\" y=\"";
      number(out, v[1]);
      out += "\" z=\"";
      number(out, v[2]);
      out += "\"/>\n";
    }
  }

  void triangles(size_t s, std::string& out) const {
    const PrintShell& shell = shells[s];
    out.reserve(shell.triangles.size() * 56 + 32);
    for (const PrintTriangle& t : shell.triangles) {
      out += "<triangle v1=\"";
      number(out, uint64_t{firstVertex[s] + t.corners[0]});
      out += "\" v2=\"";
      number(out, uint64_t{firstVertex[s] + t.corners[1]});
      out += "\" v3=\"";
      number(out, uint64_t{firstVertex[s] + t.corners[2]});
      out += "\" pid=\"1\" p1=\"";
      number(out, uint64_t{palette.at(t.colour)});
      out += "\"/>\n";
    }
  }
};

}  // namespace

void WriteThreeMfFile(const std::vector<PrintShell>& shells, const std::string& path) {
  const Model model(shells);
  uint64_t modelSize = 0;
  uint32_t modelCrc = 0;
  const auto make = [&](size_t n, std::string& bytes) { model.chunk(n, bytes); };
  RunTasksInOrder(model.chunks(), make, [&](const std::string& bytes) {
    modelSize += bytes.size();
    modelCrc = Crc32(modelCrc, bytes.data(), bytes.size());
  });
  const std::string contentTypes = ContentTypes;
  const std::string relationships = Relationships;
  const uint64_t total = ZipOverhead({ContentTypesName, RelationshipsName, ModelName}) +
                         contentTypes.size() + relationships.size() + modelSize;
  if (total > std::numeric_limits<uint32_t>::max()) throw ExportRefusal(TooLargeMessage);

  FileSet files;
  StoredZip zip(files.Add(path));
  for (const auto& [name, text] :
       {std::pair{ContentTypesName, &contentTypes}, std::pair{RelationshipsName, &relationships}}) {
    zip.Begin(name, text->size(), Crc32(0, text->data(), text->size()));
    zip.Write(text->data(), text->size());
  }
  zip.Begin(ModelName, modelSize, modelCrc);
  RunTasksInOrder(model.chunks(), make,
                  [&](const std::string& bytes) { zip.Write(bytes.data(), bytes.size()); });
  zip.Finish();
  files.Commit();
}

}  // namespace puffel
