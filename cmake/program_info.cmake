# add_program_info(<target> <description>): gives a Windows program its
# manifest (visual styles, DPI awareness, supported systems, asInvoker) and
# version resource, from the project version. Links without a time stamp,
# so the same sources give the same .exe, and with sections on page
# boundaries in the file, so a loader can map them rather than read them
# (Wine then keeps the resources on disk until they are used).
function(add_program_info target description)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(PROGRAM_NAME ${name})
  set(PROGRAM_FILE ${name}.exe)
  set(PROGRAM_DESCRIPTION "${description}")
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/program_info)
  set(PROGRAM_MANIFEST ${dir}/${name}.manifest)
  configure_file(${CMAKE_SOURCE_DIR}/resources/program_info/program.manifest.in ${PROGRAM_MANIFEST} @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/resources/program_info/program_info.rc.in ${dir}/${name}.rc @ONLY)
  set_source_files_properties(${dir}/${name}.rc PROPERTIES OBJECT_DEPENDS ${PROGRAM_MANIFEST})
  target_sources(${target} PRIVATE ${dir}/${name}.rc)
  target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp -Wl,--file-alignment=0x1000)
endfunction()
