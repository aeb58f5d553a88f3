# Runs at install time: writes the demo Tessel installation's tessel.ini with
# the folder it is installed to. CMAKE_INSTALL_PREFIX is the prefix of this
# installation (cmake --install --prefix, or the package's /usr); file(INSTALL)
# adds DESTDIR, which must not end up inside the file.
if(IS_ABSOLUTE "${KESTREL_DEMO_TESSEL_DIR}")
  set(TESSEL_DIR "${KESTREL_DEMO_TESSEL_DIR}")
else()
  set(TESSEL_DIR "${CMAKE_INSTALL_PREFIX}/${KESTREL_DEMO_TESSEL_DIR}")
endif()
configure_file("${KESTREL_TESSEL_TEMPLATE}" "${KESTREL_STAGING_DIR}/tessel.ini" @ONLY)
file(INSTALL DESTINATION "${TESSEL_DIR}" TYPE FILE FILES "${KESTREL_STAGING_DIR}/tessel.ini")
