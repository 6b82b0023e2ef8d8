# Stored print jobs: the generator's output checked by an independent stream walker, which
# also renders every job (with the product's PNG writer) to ${CMAKE_BINARY_DIR}/artifacts/samplejobs/<id>.png.
include(${CMAKE_SOURCE_DIR}/cmake/sample_jobs.cmake)
set(SAMPLEJOBS_IDS ${SAMPLE_JOB_IDS})
set(SAMPLEJOBS_DIR ${CMAKE_BINARY_DIR}/samplejobs)
set(SAMPLEJOBS_FILES)
foreach(id IN LISTS SAMPLEJOBS_IDS)
  list(APPEND SAMPLEJOBS_FILES ${SAMPLEJOBS_DIR}/${id}.bin)
endforeach()

add_custom_command(
  OUTPUT ${SAMPLEJOBS_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SAMPLEJOBS_DIR}
  COMMAND make_sample_jobs ${SAMPLEJOBS_DIR}
  DEPENDS make_sample_jobs
  COMMENT "Writing the stored print jobs"
  VERBATIM)
add_custom_target(samplejobs_test_data DEPENDS ${SAMPLEJOBS_FILES})

add_executable(samplejobs_tests
  ${CMAKE_CURRENT_LIST_DIR}/stream_walker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stream_walker_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_jobs_test.cpp
)
add_dependencies(samplejobs_tests samplejobs_test_data)
target_include_directories(samplejobs_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_compile_definitions(samplejobs_tests PRIVATE
  SAMPLEJOBS_DIR="${SAMPLEJOBS_DIR}"
  SAMPLEJOBS_ARTIFACTS="${CMAKE_BINARY_DIR}/artifacts/samplejobs"
  SAMPLEJOBS_GENERATOR="$<TARGET_FILE:make_sample_jobs>")
target_link_libraries(samplejobs_tests PRIVATE printer_core GTest::gtest_main)
gtest_discover_tests(samplejobs_tests DISCOVERY_TIMEOUT 60)
