# Release packages by CPack. Windows: a zip with the six programs, the organiser's guide
# NAVOD.txt (CR LF) and the sample tournament. Linux: a .tar.gz and a .deb with the programs
# (linked statically), and the README, the guide and the sample tournament in
# share/doc/turnaj. Programs are stripped.
set(CPACK_PACKAGE_NAME turnaj)
set(CPACK_PACKAGE_VENDOR turnaj)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Swiss-system tournament of a game with scores: six console programs")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES TRUE)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
  # The guide is kept with LF in the sources; Notepad of older Windows wants CR LF.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/NAVOD.txt ${PROJECT_BINARY_DIR}/NAVOD.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/NAVOD.txt DESTINATION .)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION priklad)
else()
  set(CPACK_GENERATOR "TGZ;DEB")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "turnaj developers <turnaj@localhost>")
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/packaging/NAVOD.txt DESTINATION share/doc/turnaj)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION share/doc/turnaj/examples)
endif()

include(CPack)
