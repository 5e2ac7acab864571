# Documentation files as Debian installs them: compressed with gzip -9 and
# without the name and time stamp gzip would otherwise record, so the same
# source always gives the same bytes.
include(GNUInstallDirs)

# A text with @PROJECT_VERSION@ filled in, compressed to NAME.gz in the build
# tree by TARGET (built by default); the caller installs it.
function(quellan_compressed_doc target source name)
  set(text ${CMAKE_CURRENT_BINARY_DIR}/${name})
  configure_file(${source} ${text} @ONLY)
  add_custom_command(
    OUTPUT ${text}.gz
    COMMAND gzip -9 --no-name --force --keep ${text}
    DEPENDS ${text}
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${text}.gz)
endfunction()

# A section 1 manual page.
function(quellan_install_man_page target source)
  get_filename_component(name ${source} NAME)
  quellan_compressed_doc(${target} ${source} ${name})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
