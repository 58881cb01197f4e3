# Control members generated from the layouts, as Qt's uic does from .ui files.
#
# For every layout <folder>/<Unit>.layout the build writes the header
# <build>/generated/<target>/<folder>/<Unit>.controls.h, declaring
# struct controls::<Unit> with one reference member per control of the
# layout, typed by its kind. The window class derives from it after ui::Form,
# so the layout is loaded before the members are found:
#
#   class TfrmPassword : public ui::Form, public controls::Password { ... };
#   TfrmPassword::TfrmPassword(ui::Application& app, ui::Form* owner)
#       : ui::Form(app, owner, "shell/Password.layout"), controls::Password(this) { ... }
#
# A control renamed or given another kind in the layout changes the members,
# so code that still uses the old member fails to compile. The header is
# written again when the layout or the generator (tools/controls) changes.
#
# Windows of one shared design (the print dialogs, the exports, ...) derive
# from a class that serves all of them. dorneval_design(<folder>/<Unit>
# <layouts>) declares it: its header <folder>/<Unit>.controls.h holds the
# controls that all its layouts declare with the same name and kind, and each
# of those layouts' own struct holds only the rest. A design may lie inside
# another one (a part of its layouts): then it holds only what the enclosing
# design does not. A design is declared before the folders of its layouts
# generate their headers, that is in its own folder's CMakeLists.txt before
# the library, and common's designs serve the areas above it.

# The generator, built for the machine that builds.
function(dorneval_controls_tool)
  add_executable(layout_controls
    ${CMAKE_SOURCE_DIR}/tools/controls/LayoutControls.cpp
    ${CMAKE_SOURCE_DIR}/platform/ui/LayoutSyntax.cpp)
  target_include_directories(layout_controls PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# dorneval_controls_header(<header> <struct> <layouts>... [--except <layouts>...]):
# the command that writes <header> (see tools/controls), with the layouts
# relative to the source root. Used by the target that includes the header.
function(dorneval_controls_header header name)
  set(deps)
  foreach(f ${ARGN})
    if(NOT f STREQUAL "--except")
      list(APPEND deps ${CMAKE_SOURCE_DIR}/${f})
    endif()
  endforeach()
  add_custom_command(OUTPUT ${header}
    COMMAND layout_controls ${header} ${name} ${ARGN}
    DEPENDS layout_controls ${deps}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Controls of ${name}" VERBATIM)
endfunction()

# dorneval_design(<folder>/<Unit> <layouts relative to the source root>...)
function(dorneval_design design)
  set(parent "")
  foreach(layout ${ARGN})
    get_property(done GLOBAL PROPERTY DORNEVAL_CONTROLS_DONE_${layout})
    if(done)
      message(FATAL_ERROR "dorneval_design(${design}): ${layout} has its header already; declare the design before")
    endif()
    get_property(p GLOBAL PROPERTY DORNEVAL_DESIGN_OF_${layout})
    if(layout STREQUAL "${ARGV1}")
      set(parent "${p}")
    elseif(NOT "${p}" STREQUAL "${parent}")
      message(FATAL_ERROR "dorneval_design(${design}): its layouts lie in different designs")
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY DORNEVAL_DESIGN_LAYOUTS_${design} ${ARGN})
  set_property(GLOBAL PROPERTY DORNEVAL_DESIGN_PARENT_${design} "${parent}")
  foreach(layout ${ARGN})
    set_property(GLOBAL PROPERTY DORNEVAL_DESIGN_OF_${layout} ${design})
  endforeach()
  get_filename_component(folder ${design} DIRECTORY)
  set_property(GLOBAL APPEND PROPERTY DORNEVAL_DESIGNS_IN_${folder} ${design})
endfunction()

# dorneval_controls(<target>): the control headers of every layout of the
# calling folder and of the designs declared in it, added to <target>, with
# their folder as a second include root of the target.
function(dorneval_controls target)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/generated/${target})
  file(MAKE_DIRECTORY ${root}/${folder})
  file(GLOB layouts CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.layout)
  get_property(designs GLOBAL PROPERTY DORNEVAL_DESIGNS_IN_${folder})
  set(headers)
  foreach(unit ${designs} ${layouts})
    if(unit MATCHES "\\.layout$")
      string(REGEX REPLACE "\\.layout$" "" base ${unit})
      set(sources ${unit})
      get_property(parent GLOBAL PROPERTY DORNEVAL_DESIGN_OF_${unit})
      set_property(GLOBAL PROPERTY DORNEVAL_CONTROLS_DONE_${unit} TRUE)
    else()
      set(base ${unit})
      get_property(sources GLOBAL PROPERTY DORNEVAL_DESIGN_LAYOUTS_${unit})
      get_property(parent GLOBAL PROPERTY DORNEVAL_DESIGN_PARENT_${unit})
    endif()
    set(except)
    if(parent)
      get_property(except GLOBAL PROPERTY DORNEVAL_DESIGN_LAYOUTS_${parent})
      list(PREPEND except --except)
    endif()
    get_filename_component(name ${base} NAME)
    set(header ${root}/${base}.controls.h)
    dorneval_controls_header(${header} ${name} ${sources} ${except})
    list(APPEND headers ${header})
  endforeach()
  if(headers)
    target_sources(${target} PRIVATE ${headers})
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
