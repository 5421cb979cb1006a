# Writes a C++ source that defines one std::string_view per text file, named after the file.
# Each file holds one text followed by one line feed, which is dropped.
# Usage: cmake -DOUTPUT=<file.cpp> -DTEXT_DIR=<dir> -P embed_texts.cmake
file(GLOB texts "${TEXT_DIR}/*.txt")
list(SORT texts)
set(source "// Generated from content/texts by cmake/embed_texts.cmake; do not edit.\n")
string(APPEND source "#include \"angels/angel_texts.h\"\n\nnamespace haloquill::content {\n\n")
foreach(path IN LISTS texts)
  get_filename_component(name "${path}" NAME_WE)
  file(READ "${path}" text)
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(APPEND source "extern const std::string_view ${name} = R\"haloquill(${text})haloquill\";\n")
endforeach()
string(APPEND source "\n} // namespace haloquill::content\n")
file(WRITE "${OUTPUT}.tmp" "${source}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.tmp" "${OUTPUT}")
file(REMOVE "${OUTPUT}.tmp")
