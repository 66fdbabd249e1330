# Helpers shared by every subsystem library.

# Libraries, tests, benchmarks and the program compile with the same warnings.
set(TORNALY_WARNINGS -Wall -Wextra -Wno-unused-parameter)
# CI (scripts/test.sh) turns warnings in our own code into errors, so that a
# new one fails the run instead of piling up; a plain build only reports them.
option(TORNALY_WERROR "Treat warnings in Tornaly's own sources as errors" OFF)

# tornaly_warnings(<target>): the project's warnings on one of its own targets.
# The code that moc generates for the target keeps its warnings as warnings:
# only code we write is held to -Werror. Third-party headers (Qt, GoogleTest,
# Google Benchmark) come in as system headers and report nothing.
function(tornaly_warnings target)
  target_compile_options(${target} PRIVATE ${TORNALY_WARNINGS})
  if(TORNALY_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
    get_target_property(bindir ${target} BINARY_DIR)
    set_source_files_properties(${bindir}/${target}_autogen/mocs_compilation.cpp
      TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS -Wno-error)
  endif()
endfunction()

# Every target compiles against the same precompiled Qt headers, built once
# (tornaly_pch, top CMakeLists) and reused by every other target: one
# precompiled header per target filled the disk of a small build machine.
function(tornaly_use_pch target)
  target_precompile_headers(${target} REUSE_FROM tornaly_pch)
endfunction()

# tornaly_add_library(NAME <name> MODULE <schema module> DEPS <libs...> [NO_UNITY])
# Builds one subsystem library from every source below its folder, except
# its tests/ and testsupport/ folders. Libraries are unity-built (see
# TORNALY_UNITY_BUILD); NO_UNITY opts one out. SQL files under schema/ are embedded as
# Qt resources so that the migration runner finds them:
#   schema/NNN_x.sql          -> :/schema/<module>/NNN_x.sql (the library's own module)
#   schema/<other>/NNN_x.sql  -> :/schema/<other>/NNN_x.sql  (another module, e.g. the catalogue)
function(tornaly_add_library)
  cmake_parse_arguments(A "NO_UNITY" "NAME;MODULE" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER srcs EXCLUDE REGEX "/(tests|testsupport)/")
  add_library(${A_NAME} STATIC ${srcs})
  # Core headers are included as "db/Database.h"; every other library's as
  # "accounts/ledger/CariHrk.h", from the project root.
  target_include_directories(${A_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  if(A_NAME STREQUAL "tornaly_core")
    target_include_directories(${A_NAME} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  target_link_libraries(${A_NAME} PUBLIC ${A_DEPS})
  tornaly_warnings(${A_NAME})
  tornaly_use_pch(${A_NAME})
  if(A_NO_UNITY)
    set_target_properties(${A_NAME} PROPERTIES UNITY_BUILD OFF)
  endif()

  # Every area keeps its tests in a tests/ folder beside it.
  if(TORNALY_BUILD_TESTS)
    file(GLOB_RECURSE testlists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/tests/CMakeLists.txt
      ${CMAKE_CURRENT_SOURCE_DIR}/tests/CMakeLists.txt)
    list(REMOVE_DUPLICATES testlists)
    set_property(DIRECTORY PROPERTY TORNALY_TEST_DIRS "${testlists}")
  endif()

  if(A_MODULE)
    file(GLOB sqls CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
      ${CMAKE_CURRENT_SOURCE_DIR}/schema/*.sql)
    if(sqls)
      qt_add_resources(${A_NAME} "${A_NAME}_schema"
        PREFIX "/schema/${A_MODULE}" BASE schema FILES ${sqls})
    endif()
    file(GLOB_RECURSE subsqls CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
      ${CMAKE_CURRENT_SOURCE_DIR}/schema/*/*.sql)
    if(subsqls)
      qt_add_resources(${A_NAME} "${A_NAME}_subschema"
        PREFIX "/schema" BASE schema FILES ${subsqls})
    endif()
  endif()
endfunction()

# Adds the tests/ folders found by tornaly_add_library in this directory.
# Call after the library (and, for the core, the test support library) exists.
function(tornaly_add_test_dirs)
  get_property(testlists DIRECTORY PROPERTY TORNALY_TEST_DIRS)
  foreach(t ${testlists})
    get_filename_component(dir ${t} DIRECTORY)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${dir})
    add_subdirectory(${dir} ${CMAKE_CURRENT_BINARY_DIR}/${rel})
  endforeach()
endfunction()

# tornaly_add_test(NAME <name> SOURCES <files...> LIBS <libs...> [DB])
# One GoogleTest program registered with CTest. With DB it runs twice: on
# SQLite and on the PostgreSQL server that scripts/test.sh starts.
function(tornaly_add_test)
  cmake_parse_arguments(A "DB" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT TORNALY_BUILD_TESTS)
    return()
  endif()
  add_executable(${A_NAME} ${A_SOURCES})
  target_link_libraries(${A_NAME} PRIVATE ${A_LIBS} tornaly_testsupport GTest::gtest)
  tornaly_warnings(${A_NAME})
  tornaly_use_pch(${A_NAME})
  # Test programs are small, and their fixtures live in anonymous namespaces
  # that a batch would share between files.
  set_target_properties(${A_NAME} PROPERTIES UNITY_BUILD OFF)
  set(env "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8")
  if(A_DB)
    add_test(NAME ${A_NAME}.sqlite COMMAND ${A_NAME})
    set_tests_properties(${A_NAME}.sqlite PROPERTIES ENVIRONMENT "${env};TORNALY_TEST_BACKEND=sqlite" LABELS "db;sqlite")
    add_test(NAME ${A_NAME}.postgres COMMAND ${A_NAME})
    set_tests_properties(${A_NAME}.postgres PROPERTIES ENVIRONMENT "${env};TORNALY_TEST_BACKEND=postgres" LABELS "db;postgres")
  else()
    add_test(NAME ${A_NAME} COMMAND ${A_NAME})
    set_tests_properties(${A_NAME} PROPERTIES ENVIRONMENT "${env}")
  endif()
endfunction()
