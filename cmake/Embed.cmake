# Embedding of resource files (layouts, report templates, pictures) into the
# program. A folder calls dorneval_embed(<files>) with paths relative to its own
# folder; the files are registered under their path relative to the source root
# ("shell/Password.layout") and reachable at run time through res::find().
# dorneval_embed_finish() (called once, at the end of the top-level file)
# generates the library dorneval_resources.

define_property(GLOBAL PROPERTY DORNEVAL_RESOURCES
  BRIEF_DOCS "embedded files" FULL_DOCS "files embedded into the program")

function(dorneval_embed)
  foreach(f ${ARGN})
    get_filename_component(abs ${f} ABSOLUTE)
    set_property(GLOBAL APPEND PROPERTY DORNEVAL_RESOURCES ${abs})
  endforeach()
endfunction()

function(dorneval_embed_finish)
  get_property(files GLOBAL PROPERTY DORNEVAL_RESOURCES)
  set(outdir ${CMAKE_BINARY_DIR}/resources)
  set(generated)
  set(index 0)
  set(entries "")
  foreach(abs ${files})
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${abs})
    set(out ${outdir}/res_${index}.cpp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${out} -DSYM=res_${index}
              -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
      DEPENDS ${abs} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
      COMMENT "Embedding ${rel}" VERBATIM)
    list(APPEND generated ${out})
    string(APPEND decls "extern const unsigned char res_${index}[]; extern const unsigned long res_${index}_size;\n")
    string(APPEND entries "    {\"${rel}\", res_${index}, res_${index}_size},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  set(table ${outdir}/res_table.cpp)
  file(CONFIGURE OUTPUT ${table} CONTENT
"// Generated: table of the embedded files.
#include \"platform/rtl/Resources.h\"
#include <cstring>
${decls}
namespace {
struct Entry { const char* name; const unsigned char* data; unsigned long size; };
const Entry entries[] = {
${entries}    {nullptr, nullptr, 0}
};
}
namespace res {
std::optional<std::string_view> Find(std::string_view name) {
    for (const Entry* e = entries; e->name; ++e)
        if (name == e->name) return std::string_view(reinterpret_cast<const char*>(e->data), e->size);
    return std::nullopt;
}
std::vector<std::string> Names() {
    std::vector<std::string> out;
    for (const Entry* e = entries; e->name; ++e) out.emplace_back(e->name);
    return out;
}
}
" @ONLY)
  add_library(dorneval_resources STATIC ${table} ${generated})
  # The table includes only platform/rtl/Resources.h, which declares it.
  target_include_directories(dorneval_resources PRIVATE $<TARGET_PROPERTY:dorneval_rtl,INTERFACE_INCLUDE_DIRECTORIES>)
endfunction()
