# The custom command sender and the command reference lists.
file(GLOB CUSTOM_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_test.cpp)
add_executable(custom_tests ${CUSTOM_TEST_SOURCES})
target_include_directories(custom_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(custom_tests PRIVATE printer_core GTest::gtest_main)
gtest_discover_tests(custom_tests DISCOVERY_TIMEOUT 60)
