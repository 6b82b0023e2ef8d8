# Character-set sample tables and stored print jobs.
target_sources(printer_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/charset_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_job.cpp
)
