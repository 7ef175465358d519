# Each target sees the headers of what it links and of its own folder, never the whole tree.
#
# Sources include by path from the top ("engine/InternetTenaline.h"). A target does not get the
# source folder as its include root; it gets a root of its own in the build tree, holding links
# to its own parts only (build/include/velnix_engine/engine -> engine/). A target that links it
# gets that root too, so "config/..." and "engine/..." are found from the engine, while a file
# of config/, whose library does not link the engine, cannot include "engine/...".
#
# velnix_expose_headers(target [path...]): paths relative to the project's top folder, folders
# or single headers; by default the folder of the calling CMakeLists.txt. Libraries pass the
# root to their users; a program or a test keeps it to itself.
function(velnix_expose_headers target)
  set(paths ${ARGN})
  if(NOT paths)
    file(RELATIVE_PATH paths ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  foreach(path IN LISTS paths)
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
