# The command-line companion run as a user runs it: list, send to files, a
# pseudo-terminal and TCP listeners, decode and render, and bad input.
add_executable(cli_tests
  ${CMAKE_CURRENT_LIST_DIR}/send_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/targets_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_commands_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_test.cpp
)
add_dependencies(cli_tests postest capture)
target_include_directories(cli_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_compile_definitions(cli_tests PRIVATE
  POSTEST="$<TARGET_FILE:postest>"
  CAPTURE="$<TARGET_FILE:capture>"
  CLI_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden"
  CLI_WORK_DIR="${CMAKE_CURRENT_BINARY_DIR}/cli_work")
target_link_libraries(cli_tests PRIVATE GTest::gtest_main)
gtest_discover_tests(cli_tests DISCOVERY_TIMEOUT 60)
