# What a Windows user downloads: the portable zip (the program and a short
# README.txt) and, when NSIS's makensis is installed, the installer. Both are
# named after the version the program's VERSIONINFO carries (res/Product.h).
file(STRINGS "${PROJECT_SOURCE_DIR}/res/Product.h" PANOREL_VERSION_LINE REGEX "^#define PANOREL_VERSION_TEXT ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" PANOREL_VERSION "${PANOREL_VERSION_LINE}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/res/Product.h")

set(PANOREL_PORTABLE_ZIP "${PROJECT_BINARY_DIR}/Panorel-${PANOREL_VERSION}-portable.zip")
set(PANOREL_SETUP_EXE "${PROJECT_BINARY_DIR}/Panorel-${PANOREL_VERSION}-setup.exe")

# Notepad reads the README as the Windows text it is: CR LF line ends.
set(portable_dir "${PROJECT_BINARY_DIR}/portable")
configure_file(installer/README.txt "${portable_dir}/README.txt" @ONLY NEWLINE_STYLE CRLF)
add_custom_command(OUTPUT "${PANOREL_PORTABLE_ZIP}"
  COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:Panorel>" "${portable_dir}/Panorel.exe"
  COMMAND ${CMAKE_COMMAND} -E rm -f "${PANOREL_PORTABLE_ZIP}"
  COMMAND ${CMAKE_COMMAND} -E tar cf "${PANOREL_PORTABLE_ZIP}" --format=zip Panorel.exe README.txt
  WORKING_DIRECTORY "${portable_dir}"
  DEPENDS Panorel "${portable_dir}/README.txt"
  COMMENT "Packing ${PANOREL_PORTABLE_ZIP}")
add_custom_target(portable_zip ALL DEPENDS "${PANOREL_PORTABLE_ZIP}")

find_program(MAKENSIS makensis)
# The installer is built for the program's own width.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(PANOREL_NSIS_TARGET amd64-unicode)
else()
  set(PANOREL_NSIS_TARGET x86-unicode)
endif()
if(MAKENSIS)
  add_custom_command(OUTPUT "${PANOREL_SETUP_EXE}"
    COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DSOURCE_DIR=${PROJECT_SOURCE_DIR}" "-DTARGET=${PANOREL_NSIS_TARGET}"
      "-DPROGRAM_EXE=$<TARGET_FILE:Panorel>" "-DOUTFILE=${PANOREL_SETUP_EXE}"
      "${PROJECT_SOURCE_DIR}/installer/Panorel.nsi"
    DEPENDS Panorel installer/Panorel.nsi installer/Texts.nsh res/Product.h res/SwitcherDlgIds.h res/Panorel.ico
    COMMENT "Building the installer ${PANOREL_SETUP_EXE}")
  add_custom_target(setup ALL DEPENDS "${PANOREL_SETUP_EXE}")
else()
  message(WARNING "makensis not found (Debian package nsis): no installer is built")
endif()
