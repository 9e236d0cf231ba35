# The options file, the settings file, faZ on the session, the batch command
# and the kartello program. Kept in its own file so the session's CMakeLists
# and this part can change independently.
set(_kartello_shell_dir ${CMAKE_CURRENT_LIST_DIR})

add_library(kartello_options STATIC
  ${_kartello_shell_dir}/OptionsFile.cpp
  ${_kartello_shell_dir}/OptionsSettings.cpp
  ${_kartello_shell_dir}/OptionsGraph.cpp
  ${_kartello_shell_dir}/Batch.cpp
  ${_kartello_shell_dir}/BatchUi.cpp)
target_include_directories(kartello_options PUBLIC ${_kartello_shell_dir}/..)
target_link_libraries(kartello_options PUBLIC kartello_shell kartello_graph kartello_places kartello_runtime)

add_executable(kartello ${_kartello_shell_dir}/main.cpp)
target_link_libraries(kartello PRIVATE kartello_options)
# The arc sine is loaded from libprobability.so beside the program.
add_dependencies(kartello probability)

if(BUILD_TESTING)
  suite_add_gtest(kartello_options_tests
    SOURCES ${_kartello_shell_dir}/tests/OptionsFileTest.cpp
            ${_kartello_shell_dir}/tests/OptionsSettingsTest.cpp
            ${_kartello_shell_dir}/tests/BatchTest.cpp
    LIBS kartello_options
    LABELS kartello)
  add_dependencies(kartello_options_tests kartello probability)
  target_compile_definitions(kartello_options_tests PRIVATE
    KARTELLO_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples"
    KARTELLO_PROGRAM="$<TARGET_FILE:kartello>")
  suite_add_fuzzer(kartello_options_fuzz
    SOURCES ${_kartello_shell_dir}/fuzz/OptionsFuzz.cpp
    LIBS kartello_options)
endif()
