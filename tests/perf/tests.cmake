# Character-set tables and stored print jobs.
add_executable(perf_tests
  ${CMAKE_CURRENT_LIST_DIR}/charset_tables_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_job_test.cpp
)
target_include_directories(perf_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(perf_tests PRIVATE printer_core GTest::gtest_main)
gtest_discover_tests(perf_tests DISCOVERY_TIMEOUT 60)

# The performance panel and the aging worker start threads: they join the
# link and panel suites, which test.sh also runs under ThreadSanitizer.
target_sources(core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/performance_panel_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/aging_worker_test.cpp
)

# Compares the jobs embedded in the cross-built program with the generator's
# files; run by check_embedded_jobs.sh (set CHECK_EMBEDDED_JOBS to this tool
# to skip compiling it there).
add_executable(check_embedded_jobs ${CMAKE_CURRENT_LIST_DIR}/check_embedded_jobs.cpp)
target_include_directories(check_embedded_jobs PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../support)
