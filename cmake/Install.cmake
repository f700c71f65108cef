# The installation folder is laid out as the program expects its own folder: the binaries at
# its top, progdata/ with the dictionary, mydata/ with bee files and sound folders, waveform/ and
# backup/. scripts/run stages it with `cmake --install`.
include(GNUInstallDirs)

install(TARGETS quorvel-cli RUNTIME DESTINATION .)
if(TARGET quorvel)
  install(TARGETS quorvel RUNTIME DESTINATION .)
endif()
if(QUORVEL_STARTER_DATA)
  install(FILES ${QUORVEL_STARTER_DICTIONARY} DESTINATION progdata)
endif()
install(DIRECTORY resources/beefiles/ DESTINATION mydata/beefiles)
install(DIRECTORY DESTINATION mydata/oldwave)
install(DIRECTORY DESTINATION mydata/newwave)
install(DIRECTORY DESTINATION waveform)
install(DIRECTORY DESTINATION backup)
