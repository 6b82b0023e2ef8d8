# The preview: code page 936 conversion, decoder, renderer and PNG writer;
# and a benchmark on the largest stored job.
find_package(ZLIB REQUIRED)
add_executable(preview_tests
  ${CMAKE_CURRENT_LIST_DIR}/gbk_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decoder_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/renderer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_mode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/barcode_text_test.cpp
)
target_include_directories(preview_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(preview_tests PRIVATE printer_core ZLIB::ZLIB GTest::gtest_main)
gtest_discover_tests(preview_tests DISCOVERY_TIMEOUT 60)

# Prints the time and speed of decoding and rendering the largest stored job.
add_executable(preview_benchmark ${CMAKE_CURRENT_LIST_DIR}/preview_benchmark.cpp)
add_dependencies(preview_benchmark samplejobs_test_data)
target_link_libraries(preview_benchmark PRIVATE printer_core)
# Well under a second of processor time; sanitizers slow it down several times.
if(SANITIZE)
  set(PREVIEW_LIMIT 8)
else()
  set(PREVIEW_LIMIT 1)
endif()
# The stored jobs are written by the samplejobs suite (samplejobs_test_data).
add_test(NAME PreviewBenchmark.LargestStoredJob
         COMMAND preview_benchmark ${CMAKE_BINARY_DIR}/samplejobs/238.bin ${PREVIEW_LIMIT})
