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

# Embeds a file version in an executable as the ELF note that TUtilities::GetVersionInfo reads
# back (see util/VersionNote.h). Each part is 0 to 65535; an empty part counts as 0.
function(korvex_embed_version target major minor release build)
  if(NOT CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF")
    return() # other formats carry their version in a resource of their own
  endif()
  foreach(_part major minor release build)
    if("${${_part}}" STREQUAL "")
      set(${_part} 0)
    endif()
    if(NOT "${${_part}}" MATCHES "^[0-9]+$" OR "${${_part}}" GREATER 65535)
      message(FATAL_ERROR "korvex_embed_version: ${_part} version '${${_part}}' is not 0 to 65535")
    endif()
    # Written into C++ source, where a leading zero would make "010" the octal 8 and "08" no
    # number at all; project(VERSION) keeps leading zeros, so they are removed here.
    math(EXPR ${_part} "${${_part}}" OUTPUT_FORMAT DECIMAL)
  endforeach()
  set(KORVEX_VERSION_MAJOR ${major})
  set(KORVEX_VERSION_MINOR ${minor})
  set(KORVEX_VERSION_RELEASE ${release})
  set(KORVEX_VERSION_BUILD ${build})
  set(_source "${CMAKE_CURRENT_BINARY_DIR}/${target}_VersionNote.cpp")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/VersionNote.cpp.in" "${_source}" @ONLY)
  target_sources(${target} PRIVATE "${_source}")
endfunction()
