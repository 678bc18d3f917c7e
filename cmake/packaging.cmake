# Release packages by CPack. Windows: a zip with the six programs, the organiser's guide
# NAVOD.txt (CR LF, speaking of Windows) and the sample tournament. Linux: a .tar.gz and a .deb
# with the programs (linked statically), and the README, the guide (speaking of Linux) and the
# sample tournament in share/doc/turnaj. Programs are stripped.
include(${CMAKE_CURRENT_LIST_DIR}/guide.cmake)
set(CPACK_PACKAGE_NAME turnaj)
set(CPACK_PACKAGE_VENDOR turnaj)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Swiss-system tournament of a game with scores: six console programs")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES TRUE)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
  turnaj_guide(windows ${PROJECT_BINARY_DIR}/NAVOD.txt CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/NAVOD.txt DESTINATION .)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION priklad)
else()
  set(CPACK_GENERATOR "TGZ;DEB")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "turnaj developers <turnaj@localhost>")
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  turnaj_guide(linux ${PROJECT_BINARY_DIR}/NAVOD.txt LF)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_BINARY_DIR}/NAVOD.txt DESTINATION share/doc/turnaj)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION share/doc/turnaj/examples)
endif()

include(CPack)
