# The organiser's guide: packaging/NAVOD.txt with the words of one system filled in, from
# packaging/guide-<system>.cmake (windows: the zip, cmd, Explorer; linux: the packages, a
# terminal). Extra arguments go to configure_file (NEWLINE_STYLE CRLF for the zip).
function(turnaj_guide system output)
  include(${PROJECT_SOURCE_DIR}/packaging/guide-${system}.cmake)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/NAVOD.txt ${output} @ONLY ${ARGN})
endfunction()
