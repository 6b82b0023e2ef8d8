# Build-time picture tools: the bitmap and icon files they write.
add_executable(app_tests ${CMAKE_CURRENT_LIST_DIR}/picture_files_test.cpp ${CMAKE_CURRENT_LIST_DIR}/k636_pictures_test.cpp)
target_link_libraries(app_tests PRIVATE picture_kit GTest::gtest_main)
gtest_discover_tests(app_tests DISCOVERY_TIMEOUT 60)
