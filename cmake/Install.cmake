# The installation folder is laid out as the program expects its own folder: the binaries at
# its top, progdata/ with the dictionary, mydata/ with bee files and sound folders, waveform/ and
# backup/. scripts/run stages it with `cmake --install`.
#
# The dictionary and the sample bee files are data the program and its users change, so an
# install over an existing folder leaves them alone and only adds what is missing: installing a
# new build never wipes the words' statuses or an edited bee file.
include(GNUInstallDirs)

install(TARGETS quorvel-cli RUNTIME DESTINATION .)
if(TARGET quorvel)
  install(TARGETS quorvel RUNTIME DESTINATION .)
endif()

# install_if_missing(<source file> <destination folder relative to the prefix>)
function(install_if_missing source destination)
  get_filename_component(name "${source}" NAME)
  install(CODE "
    set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/${name}\")
    if(EXISTS \"\${target}\")
      message(STATUS \"Kept: \${target}\")
    else()
      file(INSTALL \"${source}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${destination}\")
    endif()")
endfunction()

if(QUORVEL_STARTER_DATA)
  install_if_missing(${QUORVEL_STARTER_DICTIONARY} progdata)
endif()
file(GLOB beefiles CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/beefiles/*)
foreach(f ${beefiles})
  install_if_missing(${f} mydata/beefiles)
endforeach()
install(DIRECTORY DESTINATION mydata/oldwave)
install(DIRECTORY DESTINATION mydata/newwave)
install(DIRECTORY DESTINATION waveform)
install(DIRECTORY DESTINATION backup)

# The voice prompts and letter sounds belong to the program, not to its users: a new build's
# files replace the old ones.
if(QUORVEL_VOICE_PROMPTS AND QUORVEL_VOICE_PROMPTS_BUILT)
  install(DIRECTORY ${QUORVEL_VOICE_DIR}/ DESTINATION progdata FILES_MATCHING PATTERN "*.wav")
endif()
