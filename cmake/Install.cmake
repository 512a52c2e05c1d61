# Installing Corvane like any desktop program (`cmake --install`), and packaging it as a
# Debian package (`cpack -G DEB` in the build folder).
#
# The workbench opens its manual at its own path with ".html" added, so it lives with the
# manual in a folder of its own, and bin/corvane links to it: the program's path is where
# the link leads, and the manual's pictures sit beside it.
include(GNUInstallDirs)

set(CORVANE_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/corvane)
set(CORVANE_EXAMPLES_DIR ${CMAKE_INSTALL_DATADIR}/corvane/examples)
set(CORVANE_ICON_SIZES 16 24 32 48 64 128 256)

# The product's addresses are kept in one place, the workbench's Links.h.
function(corvane_address name result)
  file(STRINGS ${PROJECT_SOURCE_DIR}/workbench/Links.h line REGEX " ${name} = ")
  string(REGEX REPLACE ".*\"(mailto:)?([^\"]*)\".*" "\\2" address "${line}")
  set(${result} ${address} PARENT_SCOPE)
endfunction()

install(TARGETS corvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY examples/ DESTINATION ${CORVANE_EXAMPLES_DIR} FILES_MATCHING PATTERN "*.asm"
        PATTERN exercises EXCLUDE)
# The exercises for corvane-cli check, with their solutions, apart from the examples that
# the launcher copies for the user; the exercises alone, without solutions, go with the
# examples too, for the workbench's Examples menu.
install(DIRECTORY examples/exercises/ DESTINATION ${CMAKE_INSTALL_DATADIR}/corvane/exercises)
file(GLOB example_exercises ${PROJECT_SOURCE_DIR}/examples/exercises/*.toml)
install(FILES ${example_exercises} DESTINATION ${CORVANE_EXAMPLES_DIR})
install(FILES docs/exercises.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvane)

set(man_page ${PROJECT_BINARY_DIR}/man/corvane-cli.1)
add_custom_command(
  OUTPUT ${man_page}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/corvane-cli.1 ${man_page}
  COMMAND gzip -9 -n -f ${man_page}
  DEPENDS docs/corvane-cli.1
  VERBATIM)
add_custom_target(corvane_man_page ALL DEPENDS ${man_page}.gz)
install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET corvane_windows)
  # The PNG icons are drawn by the same code that draws the program's window icon.
  add_executable(corvane-icon-export workbench/IconExport.cpp)
  target_link_libraries(corvane-icon-export PRIVATE corvane_windows)
  set_target_properties(corvane-icon-export PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                       ${PROJECT_BINARY_DIR}/workbench)
  set(icon_folder ${PROJECT_BINARY_DIR}/icons/hicolor)
  set(icon_files)
  foreach(size IN LISTS CORVANE_ICON_SIZES)
    list(APPEND icon_files ${icon_folder}/${size}x${size}/apps/corvane.png)
  endforeach()
  add_custom_command(
    OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:corvane-icon-export> ${icon_folder} ${CORVANE_ICON_SIZES}
    DEPENDS corvane-icon-export
    COMMENT "Drawing the program icon's PNG files"
    VERBATIM)
  add_custom_target(corvane_icons ALL DEPENDS ${icon_files})
  install(DIRECTORY ${icon_folder}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES resources/corvane.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

if(TARGET corvane)
  install(TARGETS corvane RUNTIME DESTINATION ${CORVANE_PROGRAM_DIR})
  install(DIRECTORY docs/manual/ DESTINATION ${CORVANE_PROGRAM_DIR} OPTIONAL)
  # bin/corvane and the launcher find what they start by paths relative to bin.
  set(launch ${PROJECT_BINARY_DIR}/launch)
  file(RELATIVE_PATH program_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_PREFIX}/${CORVANE_PROGRAM_DIR}/corvane)
  file(MAKE_DIRECTORY ${launch})
  file(CREATE_LINK ${program_from_bin} ${launch}/corvane SYMBOLIC)
  install(FILES ${launch}/corvane DESTINATION ${CMAKE_INSTALL_BINDIR})
  file(RELATIVE_PATH LAUNCH_EXAMPLES ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_PREFIX}/${CORVANE_EXAMPLES_DIR})
  configure_file(resources/corvane-launch.in ${launch}/corvane-launch @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                  GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  install(PROGRAMS ${launch}/corvane-launch DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES resources/corvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES resources/corvane-asm.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
endif()

corvane_address(WebsiteAddress website)
corvane_address(ContactAddress contact)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_CONTACT "Corvane developers <${contact}>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${website})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching workbench for a small 8-bit microprocessor")
set(CPACK_PACKAGE_DESCRIPTION
    "Students type a program in a simple assembly language, assemble it into the 256 bytes \
of the simulated RAM and run it a step at a time or continuously, watching the registers, \
the flags, the RAM, a run log that narrates every instruction, and simulated devices on I/O \
ports. The command line tool corvane-cli assembles and runs programs without a screen, for \
marking many programs at once.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out for the Liberation fonts; links and the manual open through xdg-open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
