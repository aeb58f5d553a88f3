# The window's pictures, drawn from Kestrel's SVG files once, at build time,
# into PNG files at each size the window draws them and at twice that size
# for high-DPI screens. The window then needs no SVG library at run time (Qt's
# SVG module cannot be built for Windows from Debian's sources) and starts
# without parsing SVG. pictureIcon() (picture_icon.h) gives an icon holding
# every size of one picture.
#
# One line per picture: its SVG file (under src/gui/icons unless a path is
# given) and the widths the window draws it at; the height keeps the
# picture's proportions.
set(KESTREL_PICTURES
  "header_nothing 16"   "header_picture 16"   "header_text 16"   "header_both 16"
  "insert_column 20"    "delete_column 20"    "copy_column 20"   "multiply_column 20"
  "clear_mode 20"       "clear_all 20"        "menu 20"
  "help 16 20"          "accuracy 16 20"      "connectors 148"
  "table_export 20"     "table_import 20"
  "viewers/copy 20"     "viewers/find 20"     "viewers/find_again 20"
  "viewers/save 20"     "viewers/print 20"    "viewers/clear 20"
  # The program's icon: the About box (64) and the sizes a desktop's task
  # bar, window list and file manager ask for.
  "${PROJECT_SOURCE_DIR}/packaging/org.kestrelcal.Kestrel.svg:kestrel 16 24 32 48 64 128 256")

find_program(KESTREL_RSVG_CONVERT rsvg-convert REQUIRED)

# kestrel_render_pictures(OUT_FILES): the commands that draw every picture;
# OUT_FILES receives the PNG files, named NAME_WIDTH.png.
function(kestrel_render_pictures out_files)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/pictures)
  set(files)
  foreach(line IN LISTS KESTREL_PICTURES)
    string(REPLACE " " ";" fields "${line}")
    list(POP_FRONT fields source)
    if(source MATCHES "^(.*):(.*)$")
      set(svg ${CMAKE_MATCH_1})
      set(name ${CMAKE_MATCH_2})
    else()
      set(svg ${CMAKE_CURRENT_SOURCE_DIR}/icons/${source}.svg)
      get_filename_component(name ${source} NAME)
    endif()
    foreach(width IN LISTS fields)
      math(EXPR double "${width} * 2")
      foreach(w IN ITEMS ${width} ${double})
        set(png ${out_dir}/${name}_${w}.png)
        if(NOT png IN_LIST files)
          add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
            COMMAND ${KESTREL_RSVG_CONVERT} --width=${w} --keep-aspect-ratio --format=png --output=${png} ${svg}
            DEPENDS ${svg} VERBATIM)
          list(APPEND files ${png})
        endif()
      endforeach()
    endforeach()
  endforeach()
  set(${out_files} ${files} PARENT_SCOPE)
endfunction()

# kestrel_windows_resources(TARGET): on Windows, the program's icon (drawn
# from the same pictures) and version, as Explorer, the Start menu and the
# task bar show them.
function(kestrel_windows_resources target)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/pictures)
  set(pngs)
  foreach(width IN ITEMS 16 24 32 48 64 128 256)
    list(APPEND pngs ${out_dir}/kestrel_${width}.png)
  endforeach()
  set(KESTREL_ICO ${CMAKE_CURRENT_BINARY_DIR}/kestrel.ico)
  add_custom_command(OUTPUT ${KESTREL_ICO}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/make_ico.py ${KESTREL_ICO} ${pngs}
    DEPENDS ${pngs} ${PROJECT_SOURCE_DIR}/cmake/make_ico.py VERBATIM)
  include(${PROJECT_SOURCE_DIR}/cmake/windows_manifest.cmake)
  kestrel_windows_manifest(${target})
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/kestrel.rc.in ${CMAKE_CURRENT_BINARY_DIR}/kestrel.rc @ONLY)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/kestrel.rc PROPERTIES OBJECT_DEPENDS
                              "${KESTREL_ICO};${KESTREL_MANIFEST}")
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/kestrel.rc ${KESTREL_ICO})
endfunction()
