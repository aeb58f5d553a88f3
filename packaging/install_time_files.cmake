# Runs at install time: writes the files that name where Kestrel is installed,
# the demo installation's tessel.ini and the manual page, for the prefix of
# this installation. CMAKE_INSTALL_PREFIX is that prefix (cmake --install
# --prefix, or the package's /usr); file(INSTALL) adds DESTDIR, which must not
# end up inside the files.
function(kestrel_full_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()
kestrel_full_path(KESTREL_FULL_DATA_DIR "${KESTREL_DATA_DIR}")
kestrel_full_path(KESTREL_FULL_DOC_DIR "${KESTREL_DOC_DIR}")
kestrel_full_path(man_dir "${KESTREL_MAN_DIR}/man1")

set(TESSEL_DIR "${KESTREL_FULL_DATA_DIR}/demo-tessel")
configure_file("${KESTREL_SOURCE_DIR}/data/demo-tessel/tessel.ini.in" "${KESTREL_STAGING_DIR}/tessel.ini" @ONLY)
file(INSTALL DESTINATION "${TESSEL_DIR}" TYPE FILE FILES "${KESTREL_STAGING_DIR}/tessel.ini")

# The manual page, compressed as Debian installs manual pages.
set(page "${KESTREL_STAGING_DIR}/kestrel-cli.1")
configure_file("${KESTREL_SOURCE_DIR}/packaging/kestrel-cli.1.in" "${page}" @ONLY)
if(KESTREL_GZIP)
  execute_process(COMMAND "${KESTREL_GZIP}" -9 -n -f "${page}" COMMAND_ERROR_IS_FATAL ANY)
  set(page "${page}.gz")
endif()
file(INSTALL DESTINATION "${man_dir}" TYPE FILE FILES "${page}")
