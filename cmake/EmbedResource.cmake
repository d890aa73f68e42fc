# Turns a file into a C++ source that returns its bytes by resource identifier.
# Usage: cmake -DINPUT=file -DOUTPUT=file.cpp -DRESOURCE_ID=6666 -P EmbedResource.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],)" "\\1\n" bytes "${bytes}")
if(byte_count EQUAL 0)
  set(bytes "0x00")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.
#include \"BuiltInResources.h\"

namespace ovra {
namespace {
const unsigned char kResourceBytes[] = {
${bytes}
};
constexpr std::size_t kResourceSize = ${byte_count};
} // namespace

std::span<const unsigned char> FindBuiltInResource(int id) {
    if (id != ${RESOURCE_ID} || kResourceSize == 0)
        return {};
    return {kResourceBytes, kResourceSize};
}

} // namespace ovra
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
