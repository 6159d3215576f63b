#include "export/stored_zip.h"


namespace puffel {

namespace {

constexpr uint64_t LocalHeaderSize = 30;
constexpr uint64_t CentralHeaderSize = 46;
constexpr uint64_t EndRecordSize = 22;
constexpr uint16_t Version = 20;  // 2.0: what a reader needs for folders in names
constexpr uint16_t Date1980 = (0 << 9) | (1 << 5) | 1;

// Little-endian fields of a header, appended in order.
struct Fields {
  std::string bytes;
  Fields& u16(uint32_t v) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>(v >> 8 & 0xFF);
    return *this;
  }
  Fields& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
};

}  // namespace

uint64_t ZipOverhead(const std::vector<std::string>& names) {
  uint64_t overhead = EndRecordSize;
  for (const std::string& name : names) {
    overhead += LocalHeaderSize + CentralHeaderSize + 2 * name.size();
  }
  return overhead;
}

void StoredZip::Begin(const std::string& name, uint64_t size, uint32_t crc) {
  entries_.push_back({name, static_cast<uint32_t>(size), crc, static_cast<uint32_t>(written_)});
  Fields header;
  header.u32(0x04034B50).u16(Version).u16(0).u16(0).u16(0).u16(Date1980);
  header.u32(crc).u32(static_cast<uint32_t>(size)).u32(static_cast<uint32_t>(size));
  header.u16(static_cast<uint32_t>(name.size())).u16(0);
  header.bytes += name;
  Write(header.bytes.data(), header.bytes.size());
}

void StoredZip::Write(const char* bytes, size_t count) {
  file_.Write(bytes, count);
  written_ += count;
}

void StoredZip::Finish() {
  const uint64_t start = written_;
  Fields directory;
  for (const Entry& entry : entries_) {
    directory.u32(0x02014B50).u16(Version).u16(Version).u16(0).u16(0).u16(0).u16(Date1980);
    directory.u32(entry.crc).u32(entry.size).u32(entry.size);
    directory.u16(static_cast<uint32_t>(entry.name.size())).u16(0).u16(0).u16(0).u16(0);
    directory.u32(0).u32(entry.offset);
    directory.bytes += entry.name;
  }
  const uint32_t size = static_cast<uint32_t>(directory.bytes.size());
  const uint32_t count = static_cast<uint32_t>(entries_.size());
  directory.u32(0x06054B50).u16(0).u16(0).u16(count).u16(count);
  directory.u32(size).u32(static_cast<uint32_t>(start)).u16(0);
  Write(directory.bytes.data(), directory.bytes.size());
}

}  // namespace puffel
