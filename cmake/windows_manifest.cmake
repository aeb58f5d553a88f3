# kestrel_windows_manifest(TARGET): writes TARGET's application manifest
# (long paths, per-monitor DPI, the supported Windows versions) as
# ${CMAKE_CURRENT_BINARY_DIR}/TARGET.manifest and sets KESTREL_MANIFEST to
# it, for the program's resource script to embed.
function(kestrel_windows_manifest target)
  set(KESTREL_PROGRAM ${target})
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/application.manifest.in ${manifest} @ONLY)
  set(KESTREL_MANIFEST ${manifest} PARENT_SCOPE)
endfunction()
