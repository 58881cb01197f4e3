# The program is built in layers, one static library per folder, bottom to
# top: platform/rtl; platform/image and platform/chart; platform/report and
# platform/ui; platform/qt; common; the work areas (vehicles, bookings,
# drivers, gate, planner, tripsheets, each above the areas whose windows it
# opens); shell. A library links only libraries below it.
#
# Linking alone would not stop a header from being included from a folder
# above, so a library does not see the source root either: its include root
# is a folder of the build tree holding one symbolic link, to its own source
# folder (<build>/include/dorneval_ui/platform/ui -> <source>/platform/ui),
# and the include roots of the libraries it links come with them. An include
# that climbs ("vehicles/Autoparco.h" in common/) then finds no file, and the
# build fails. The control headers generated from a folder's layouts lie in a
# second root of the same shape (cmake/Controls.cmake). Tests, benchmarks and
# tools include from the whole source root.

# dorneval_layer(<target> <folder>): gives the library <target> the include
# root that holds its folder (relative to the source root) and nothing else.
function(dorneval_layer target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  set(link ${root}/${folder})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(IS_SYMLINK ${link})
    file(READ_SYMLINK ${link} current)
    if(NOT current STREQUAL ${CMAKE_SOURCE_DIR}/${folder})
      file(REMOVE ${link})
    endif()
  endif()
  if(NOT IS_SYMLINK ${link})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${link} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# dorneval_area(<target> LINKS <libraries>): the library of the calling work
# area, with every source of its folder, linking the libraries below it that
# it uses; its layouts, report templates, help texts and pictures are
# embedded, and its layouts give their windows' control members
# (cmake/Controls.cmake). The work areas gain windows often, so nothing is
# listed by hand.
function(dorneval_area target)
  cmake_parse_arguments(A "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources})
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  dorneval_layer(${target} ${folder})
  target_link_libraries(${target} PUBLIC ${A_LINKS})
  dorneval_controls(${target})
  file(GLOB resources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.layout
    ${CMAKE_CURRENT_SOURCE_DIR}/*.report
    ${CMAKE_CURRENT_SOURCE_DIR}/*.help
    ${CMAKE_CURRENT_SOURCE_DIR}/*.png
    ${CMAKE_CURRENT_SOURCE_DIR}/*.jpg
    ${CMAKE_CURRENT_SOURCE_DIR}/*.bmp)
  if(resources)
    dorneval_embed(${resources})
  endif()
endfunction()
