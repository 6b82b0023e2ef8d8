# The code page 936 table and the preview's bitmap font, written at build
# time by make_text_data from iconv and Debian font packages, added to
# the sources of a target.
function(add_text_data target)
  find_file(CJK_FONT wqy-microhei.ttc PATHS /usr/share/fonts/truetype/wqy NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_file(ASCII_FONT DejaVuSansMono.ttf PATHS /usr/share/fonts/truetype/dejavu NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  # Signs the first CJK font lacks (CJK extension A among them), when installed.
  find_file(FALLBACK_CJK_FONT DroidSansFallbackFull.ttf PATHS /usr/share/fonts/truetype/droid NO_DEFAULT_PATH
            NO_CMAKE_FIND_ROOT_PATH)
  set(fallback "")
  if(FALLBACK_CJK_FONT)
    set(fallback ${FALLBACK_CJK_FONT})
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/text_data)
  set(sources ${dir}/gbk_table.cpp ${dir}/glyph_data.cpp)
  add_custom_command(
    OUTPUT ${sources}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND make_text_data ${dir} ${CJK_FONT} ${ASCII_FONT} ${fallback}
    DEPENDS make_text_data ${CJK_FONT} ${ASCII_FONT} ${fallback}
    COMMENT "Writing the code page 936 table and the preview font"
    VERBATIM)
  target_sources(${target} PRIVATE ${sources})
endfunction()
