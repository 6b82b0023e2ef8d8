# Stored print jobs: generated at build time by make_sample_jobs and
# embedded as TEXT_FILE resources (language Chinese, PRC), looked up by id.
include(${CMAKE_SOURCE_DIR}/cmake/sample_jobs.cmake)
set(SAMPLE_JOB_DIR ${CMAKE_CURRENT_BINARY_DIR}/sample_jobs)

set(sample_job_files "")
set(sample_job_rc_lines "")
foreach(id IN LISTS SAMPLE_JOB_IDS)
  list(APPEND sample_job_files ${SAMPLE_JOB_DIR}/${id}.bin)
  string(APPEND sample_job_rc_lines "${id} TEXT_FILE \"${SAMPLE_JOB_DIR}/${id}.bin\"\n")
endforeach()

add_custom_command(
  OUTPUT ${sample_job_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SAMPLE_JOB_DIR}
  COMMAND $<TARGET_FILE:make_sample_jobs> ${SAMPLE_JOB_DIR}
  DEPENDS make_sample_jobs
  COMMENT "Generating the stored print jobs"
  VERBATIM)

# Written only when its text changes, so a reconfigure does not relink.
set(sample_job_rc ${CMAKE_CURRENT_BINARY_DIR}/sample_jobs.rc)
file(CONFIGURE OUTPUT ${sample_job_rc}
  CONTENT "LANGUAGE 4, 2\n\n${sample_job_rc_lines}")
set_source_files_properties(${sample_job_rc} PROPERTIES OBJECT_DEPENDS "${sample_job_files}")
set_source_files_properties(${sample_job_files} PROPERTIES HEADER_FILE_ONLY TRUE)

target_sources(pos_tester PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/resource_sample_store.cpp
  ${sample_job_rc}
  ${sample_job_files}
)
