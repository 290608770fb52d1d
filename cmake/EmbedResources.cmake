# Script mode: writes OUT, a C++ source holding the files of PAIRS (NAME=path) as byte arrays.
set(body "")
set(table "")
set(k 0)
foreach(pair IN LISTS PAIRS)
  string(FIND "${pair}" "=" eq)
  string(SUBSTRING "${pair}" 0 ${eq} name)
  math(EXPR from "${eq} + 1")
  string(SUBSTRING "${pair}" ${from} -1 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char r${k}[] = {${bytes} 0};\n")
  string(APPEND table "  {\"${name}\", {reinterpret_cast<const std::byte*>(r${k}), ${size}}},\n")
  math(EXPR k "${k} + 1")
endforeach()
file(WRITE "${OUT}.tmp" "// Generated from the resources folder; do not edit.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <strings.h>
namespace ${NS} {
namespace {
${body}
struct Entry { std::string_view name; std::span<const std::byte> bytes; };
const Entry entries[] = {
${table}};
} // namespace
// Names compare without regard to letter case, as resource names do.
std::span<const std::byte> resourceByName(std::string_view name) {
  for (const Entry& e : entries)
    if (e.name.size() == name.size() && strncasecmp(e.name.data(), name.data(), name.size()) == 0)
      return e.bytes;
  return {};
}
} // namespace ${NS}
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
