# Shared build settings: warnings, sanitizers, fuzzing, Qt hygiene.

function(quillet_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  # GCC 12 at -O3 (Release) reports false overlapping copies (-Wrestrict, for
  # "literal" + std::string) and uninitialised strings (-Wmaybe-uninitialized,
  # for aggregates holding strings) inside libstdc++ itself, known false
  # positives; a Release build with warnings as errors would stop on them. The
  # -O2 builds the tests run keep both warnings.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE "$<$<CONFIG:Release>:-Wno-restrict;-Wno-maybe-uninitialized>")
  endif()
  if(QUILLET_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(QUILLET_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QUILLET_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUILLET_FUZZ needs clang++ (-DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # Undefined behaviour stops the run like a crash does, so a fuzz run that
  # meets it fails instead of printing a line and going on.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Qt code: no silent encoding conversions, no string taken for a URL, and no
# deprecated API.
function(quillet_qt_hygiene target)
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING QT_NO_FOREACH
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)
  quillet_warnings(${target})
endfunction()

# A folder's library: its include root is a directory of the build tree that
# holds a link to each header of the folder, under the folder's name, leaving
# out the headers of its gui/ folder, which is a library of its own. A target
# sees the headers of the libraries it links and no other, so a header
# included across the layers fails to compile instead of quietly working.
function(quillet_folder target folder)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/${folder}
    ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  list(FILTER headers EXCLUDE REGEX "^gui/")
  foreach(header IN LISTS headers)
    get_filename_component(dir ${root}/${folder}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder}/${header} ${root}/${folder}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
