# The organiser's guide: packaging/NAVOD.txt with the words of one system filled in, from
# packaging/guide-<system>.cmake (windows: the zip, cmd, Explorer; linux: the packages, a
# terminal). Line ends LF, or CRLF (for the zip: Notepad of older Windows wants them).
function(turnaj_guide system output line_ends)
  set(template ${PROJECT_SOURCE_DIR}/packaging/NAVOD.txt)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
  include(${PROJECT_SOURCE_DIR}/packaging/guide-${system}.cmake)
  file(READ ${template} guide)
  string(CONFIGURE "${guide}" guide @ONLY)
  if(line_ends STREQUAL "CRLF")
    # Every line end, those of the filled-in words too.
    string(REPLACE "\n" "\r\n" guide "${guide}")
  endif()
  file(WRITE ${output} "${guide}")
endfunction()
