# Printer status and identity: the tables, the query against a scripted
# printer, over a pseudo-terminal to the end-to-end runs' virtual printer
# and over loopback TCP, and the 打印机状态 dialog.
add_executable(capture ${CMAKE_SOURCE_DIR}/e2e/capture.c)

add_executable(status_tests
  ${CMAKE_CURRENT_LIST_DIR}/status_bits_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_query_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/query_lines_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_panel_test.cpp
)
add_dependencies(status_tests capture)
target_include_directories(status_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_compile_definitions(status_tests PRIVATE CAPTURE="$<TARGET_FILE:capture>")
target_link_libraries(status_tests PRIVATE posix_link GTest::gtest_main)
gtest_discover_tests(status_tests DISCOVERY_TIMEOUT 60)
