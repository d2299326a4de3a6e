# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DNAME=<symbol> -DHEADER=<include> -P EmbedBytes.cmake
# Writes a C++ source that holds the bytes of INPUT as `const unsigned char
# NAME[]` and their count as `const std::size_t NAME##Size`, declared in HEADER.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
# Sixteen bytes per line (CMake's regular expressions have no {n}).
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n  " bytes "${bytes}")
get_filename_component(inputName "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${inputName} by cmake/EmbedBytes.cmake at build time; do not edit.\n"
  "#include \"${HEADER}\"\n\n"
  "const unsigned char ${NAME}[${byteCount}] = {\n  ${bytes}\n};\n"
  "const std::size_t ${NAME}Size = ${byteCount};\n")
# Touch the output only when it changed, so nothing rebuilds needlessly.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
