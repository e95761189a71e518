# Compiler warnings for the project's own code: strict, and fatal.
add_library(korvex_warnings INTERFACE)
target_compile_options(korvex_warnings INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Werror>)

# Source files of one folder, with the files of other operating systems left out.
# A file named ...Posix.cpp is built on Linux and macOS, ...Windows.cpp on Windows only.
function(korvex_folder_sources out folder)
  file(GLOB _sources CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp"
    "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h")
  if(WIN32)
    list(FILTER _sources EXCLUDE REGEX "Posix\\.(cpp|h)$")
  else()
    list(FILTER _sources EXCLUDE REGEX "Windows\\.(cpp|h)$")
  endif()
  set(${out} ${_sources} PARENT_SCOPE)
endfunction()

# One static library for one layer folder of the Qt-free core.
function(korvex_add_layer target folder)
  korvex_folder_sources(_sources ${folder})
  add_library(${target} STATIC ${_sources})
  set_target_properties(${target} PROPERTIES LINKER_LANGUAGE CXX)
  target_link_libraries(${target} PRIVATE korvex_warnings)
endfunction()
