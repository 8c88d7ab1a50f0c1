# The application's folders are layers that point one way: common <- platform, services <- app.
# Sources include each other as "<folder>/<file>.h", but the source tree is no include directory:
# every layer gets a root of its own in the build tree holding only a link named after its folder,
# so a target finds the headers of the layers it links and no others.
function(korvex_layer_include_root target folder)
  set(root ${CMAKE_BINARY_DIR}/layer-include/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
