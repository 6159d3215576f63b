#include "export/export_command.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <ostream>

#include "app/application.h"
#include "export/export_refusal.h"
#include "export/model_export.h"
#include "platform/paths.h"
#include "platform/platform_error.h"
#include "project/project_load.h"

namespace puffel {

namespace {

constexpr const char* Usage =
    "usage: puffel-export [--program-dir DIR] PROJECT.dat OUT.glb|OUT.obj";

constexpr const char* Help =
    "\n"
    "Loads the project PROJECT.dat as the program's load button does, its pictures\n"
    "read from the copies in DIR/save (DIR: the program folder unless given), and\n"
    "writes its figure as a glTF binary (.glb) or as OBJ (.obj, with its .mtl and\n"
    "PNG pictures beside it).\n"
    "Exit status: 0 when the model is written; 1 when the project cannot be loaded\n"
    "or the model written, with nothing written; 2 for wrong arguments.\n";

struct Arguments {
  std::string programFolder;
  std::vector<std::string> files;
  bool help = false;
};

// The arguments, or the reason they ask for nothing that can be done.
std::string parse(const std::vector<std::string>& args, Arguments& parsed) {
  for (size_t a = 0; a < args.size(); ++a) {
    const std::string& arg = args[a];
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
    } else if (arg == "--program-dir") {
      if (++a == args.size()) return "--program-dir needs a folder";
      parsed.programFolder = args[a];
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option " + arg;
    } else {
      parsed.files.push_back(arg);
    }
  }
  if (parsed.help) return "";
  if (parsed.files.size() != 2) return "needs a project file and an output file";
  std::string extension = ExtractFileExt(parsed.files[1]);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension != ".glb" && extension != ".obj") {
    return "the output file must end in .glb or .obj: " + parsed.files[1];
  }
  return "";
}

// The program as it starts: the main window painted, the part window at its
// start size, so that a project loads exactly as into a fresh program.
void exportProject(const std::string& project, const std::string& model,
                   const std::string& programFolder) {
  SetProgramFolder(programFolder);
  Application app;
  app.form1.FormPaint();
  app.form2.ReportClientSize(InitialViewWidth, InitialViewHeight);
  LoadProjectFile(app.scene, project, ProgramFolder());
  ExportFigure(app.scene, model);
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args, const std::string& programFolder,
                     std::ostream& out, std::ostream& err) {
  Arguments parsed;
  parsed.programFolder = programFolder;
  const std::string wrong = parse(args, parsed);
  if (!wrong.empty()) {
    err << "puffel-export: " << wrong << "; " << Usage << '\n';
    return ExportUsage;
  }
  if (parsed.help) {
    out << Usage << '\n' << Help;
    return ExportWritten;
  }
  const std::string& project = parsed.files[0];
  try {
    exportProject(project, parsed.files[1], parsed.programFolder);
    return ExportWritten;
  } catch (const DamagedProject&) {
    err << "puffel-export: " << project << ": データファイルが壊れています！\n";
  } catch (const ExportRefusal& refusal) {
    err << "puffel-export: " << project << ": " << refusal.what() << '\n';
  } catch (const PlatformError& error) {
    err << "puffel-export: " << error.what() << '\n';
  } catch (const std::bad_alloc&) {
    err << "puffel-export: メモリが不足しています。\n";
  }
  return ExportFailed;
}

}  // namespace puffel
