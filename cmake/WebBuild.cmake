# The Emscripten build: the explorer as a static web site, and the tools as
# programs for Node.

# Where the site goes: index.html, its style and scripts, the WebAssembly.
set(GLYPHVERSE_WEB_SITE_DIR "${CMAKE_BINARY_DIR}/site" CACHE PATH
  "Where the Emscripten build puts the explorer's web site")

# WebAssembly's 128-bit vectors, which every current browser and Node have:
# the pixel rows of the drawing code are vectors of four pixels.
add_compile_options(-msimd128)
add_link_options(-msimd128)

# CLI11 and nlohmann-json are header-only, but their packages would hand em++
# the whole of the machine's /usr/include, whose C library headers are not
# Emscripten's. A folder of its own holds just the library's headers, under
# their folder `subfolder`, behind the imported target `target`.
function(glyphverse_headers_only target subfolder probe)
  string(MAKE_C_IDENTIFIER "${subfolder}" id)
  find_path(GLYPHVERSE_${id}_DIR "${subfolder}/${probe}" PATHS /usr/include
    NO_CMAKE_FIND_ROOT_PATH)
  if(NOT GLYPHVERSE_${id}_DIR)
    message(FATAL_ERROR "${target}'s headers were not found: bash scripts/install-deps.sh web")
  endif()
  set(folder "${CMAKE_BINARY_DIR}/${id}-include")
  file(MAKE_DIRECTORY "${folder}")
  file(CREATE_LINK "${GLYPHVERSE_${id}_DIR}/${subfolder}" "${folder}/${subfolder}" SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${folder}")
endfunction()

# A tool that Node runs like a native program: files and standard streams
# are the machine's own, the exit status is the program's. The WebAssembly is
# compiled at once rather than fetched, which Node cannot do from a path.
function(glyphverse_node_program target)
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=node -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0 -sALLOW_MEMORY_GROWTH=1
    -sEXIT_RUNTIME=1)
endfunction()

# The explorer's page: the program as glyphverse.js and glyphverse.wasm in
# the site folder, beside the page's own files.
function(glyphverse_web_page target)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME glyphverse
    RUNTIME_OUTPUT_DIRECTORY "${GLYPHVERSE_WEB_SITE_DIR}")
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
    "-sEXPORTED_RUNTIME_METHODS=['UTF8ToString']")
  set(page_files index.html page.css page.js)
  set(copies)
  foreach(file IN LISTS page_files)
    set(source "${PROJECT_SOURCE_DIR}/web/${file}")
    set(copy "${GLYPHVERSE_WEB_SITE_DIR}/${file}")
    add_custom_command(OUTPUT "${copy}" COMMAND ${CMAKE_COMMAND} -E copy "${source}" "${copy}"
      DEPENDS "${source}" COMMENT "Site: ${file}")
    list(APPEND copies "${copy}")
  endforeach()
  set(icon "${GLYPHVERSE_WEB_SITE_DIR}/favicon.png")
  add_custom_command(OUTPUT "${icon}"
    COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/data/icons/glyphverse-64.png" "${icon}"
    DEPENDS "${PROJECT_SOURCE_DIR}/data/icons/glyphverse-64.png" COMMENT "Site: favicon.png")
  add_custom_target(${target}_files DEPENDS ${copies} "${icon}")
  add_dependencies(${target} ${target}_files)
endfunction()
