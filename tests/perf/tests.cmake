# Character-set tables and stored print jobs.
add_executable(perf_tests
  ${CMAKE_CURRENT_LIST_DIR}/charset_tables_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_job_test.cpp
)
target_include_directories(perf_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(perf_tests PRIVATE printer_core GTest::gtest_main)
gtest_discover_tests(perf_tests DISCOVERY_TIMEOUT 60)
