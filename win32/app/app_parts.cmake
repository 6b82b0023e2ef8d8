# The program entry, main window, About box, and the menu/picture resources.
# Included by win32/CMakeLists.txt once the pos_tester target exists.
set(APP_RC ${CMAKE_CURRENT_LIST_DIR}/../../resources/app.rc)
set(APP_LARGE_PICTURES_RC ${CMAKE_CURRENT_LIST_DIR}/large_pictures.rc)
set(APP_PICTURES_DIR ${CMAKE_CURRENT_BINARY_DIR}/pictures)
set(APP_PICTURES
  ${APP_PICTURES_DIR}/main_picture.bmp
  ${APP_PICTURES_DIR}/main_picture_large.bmp
  ${APP_PICTURES_DIR}/about_logo.bmp
  ${APP_PICTURES_DIR}/about_logo_large.bmp
  ${APP_PICTURES_DIR}/app.ico
  ${APP_PICTURES_DIR}/k636_single_sheet.bmp
  ${APP_PICTURES_DIR}/k636_roll_paper.bmp
  ${APP_PICTURES_DIR}/k636_fanfold.bmp
  ${APP_PICTURES_DIR}/k636_measuring_note.bmp
  ${APP_PICTURES_DIR}/k636_step_arrow.bmp
)

add_custom_command(
  OUTPUT ${APP_PICTURES}
  COMMAND $<TARGET_FILE:make_pictures> ${APP_PICTURES_DIR}
  DEPENDS $<TARGET_FILE:make_pictures>
  COMMENT "Drawing the program's pictures"
  VERBATIM
)

target_sources(pos_tester PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmaps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dpi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_picture.cpp
  ${APP_RC}
  ${APP_LARGE_PICTURES_RC}
  ${APP_PICTURES}
)
# The resource scripts name the pictures by plain file name.
set_source_files_properties(${APP_RC} ${APP_LARGE_PICTURES_RC} PROPERTIES
  OBJECT_DEPENDS "${APP_PICTURES}"
  INCLUDE_DIRECTORIES ${APP_PICTURES_DIR}
)
