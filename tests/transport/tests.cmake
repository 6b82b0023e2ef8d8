# The POSIX connections against loopback listeners, pseudo-terminals and
# pipes.
add_executable(posix_transport_tests ${CMAKE_CURRENT_LIST_DIR}/posix_transport_test.cpp)
target_include_directories(posix_transport_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(posix_transport_tests PRIVATE posix_link GTest::gtest_main)
gtest_discover_tests(posix_transport_tests DISCOVERY_TIMEOUT 60)
