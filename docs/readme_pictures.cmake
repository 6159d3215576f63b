# Makes the readme's pictures: for each slider or check box shown, one sample
# object is built by puffel-batch with each of a few settings, looked at in
# the 3D view, and the middles of the views are set side by side.
#
#   cmake [-DRUN=emulator] -DBATCH=puffel-batch -DSTRIP=puffel-picture-strip
#         -DSAMPLES=program/obj -DWORK=scratch-folder -DOUT=program-folder -P readme_pictures.cmake
#
# RUN, when given, runs the programs (Wine, for a Windows build).
#
# The runs use their own program folder (WORK), so the builder's picture
# copies do not land in the user's "save".
foreach(folder obj save haikei pic_hozon)
  file(MAKE_DIRECTORY ${WORK}/${folder})
endforeach()

# One 3D view of SAMPLE built after the script lines SETUP; OUTLINE true shows
# the triangles instead of the shaded surface.
function(view_3d name sample setup outline)
  set(script "${setup}answer ${SAMPLES}/${sample}\nclick Button1\nclick Button4\n")
  if(outline)
    string(APPEND script "dblclick form2 0 0\n")
  endif()
  string(APPEND script "snapshot form2 ${WORK}/${name}.bmp\n")
  file(WRITE ${WORK}/${name}.txt "${script}")
  execute_process(COMMAND ${RUN} ${BATCH} --program-dir ${WORK} ${WORK}/${name}.txt
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "puffel-batch failed on ${name}: ${out}")
  endif()
endfunction()

# The strip readme_NAME.bmp of WIDTH x HEIGHT pieces of the views VIEWS.
function(strip name width height)
  set(views)
  foreach(view ${ARGN})
    list(APPEND views ${WORK}/${view}.bmp)
  endforeach()
  execute_process(COMMAND ${RUN} ${STRIP} ${OUT}/readme_${name}.bmp ${width} ${height} ${views}
                  RESULT_VARIABLE status ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "puffel-picture-strip failed on ${name}: ${out}")
  endif()
endfunction()

foreach(size 4 8 16)
  view_3d(polygon_${size} apple.bmp "set TrackBar1 ${size}\n" TRUE)
endforeach()
strip(polygon_size 160 180 polygon_4 polygon_8 polygon_16)

view_3d(square_0 apple.bmp "" TRUE)
view_3d(square_1 apple.bmp "check CheckBox2 1\n" TRUE)
strip(square_polygons 160 180 square_0 square_1)

foreach(ear 0 8 16 24)
  view_3d(ear_${ear} apple.bmp "set TrackBar3 ${ear}\n" FALSE)
endforeach()
strip(ear 160 180 ear_0 ear_8 ear_16 ear_24)

foreach(bulge -10 0 10 20)
  view_3d(bulge_${bulge} apple.bmp "set TrackBar2 ${bulge}\n" FALSE)
endforeach()
strip(bulge 160 180 bulge_-10 bulge_0 bulge_10 bulge_20)

foreach(stretch 0 10 24)
  view_3d(stretch_${stretch} apple.bmp "set TrackBar4 ${stretch}\n" FALSE)
endforeach()
strip(stretch 160 180 stretch_0 stretch_10 stretch_24)

view_3d(projection_0 fish.bmp "" FALSE)
view_3d(projection_1 fish.bmp "check CheckBox1 1\n" FALSE)
strip(color_projection 210 140 projection_0 projection_1)
