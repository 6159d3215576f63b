# Makes the sample project: runs the event script SCRIPT with puffel-batch in
# the scratch program folder WORK, on copies of the pictures SAMPLES/cat_*.bmp,
# has puffel-project-names (NAMES) name its pictures obj/ and their file
# names in place of their paths in WORK, and puts what it saved (the project
# file and the picture copies the builder wrote) into OUT.
#
#   cmake [-DRUN=emulator] -DBATCH=puffel-batch -DNAMES=puffel-project-names -DSCRIPT=cat.txt
#         -DSAMPLES=program/obj -DWORK=scratch -DOUT=program/save -P make_project.cmake
#
# RUN, when given, runs the program (Wine, for a Windows build).
#
# The scratch folder starts empty every time, so nothing of an earlier run
# (or of the user's own work in the real "save") can leak into the project.
file(REMOVE_RECURSE ${WORK})
foreach(folder obj save haikei pic_hozon)
  file(MAKE_DIRECTORY ${WORK}/${folder})
endforeach()
file(GLOB pictures ${SAMPLES}/cat_*.bmp)
file(COPY ${pictures} DESTINATION ${WORK}/obj)

# The script names its files relative to the program folder.
execute_process(COMMAND ${RUN} ${BATCH} --program-dir ${WORK} ${SCRIPT}
                WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
# A message box or an error report means a step went wrong, even if the
# script ran to its end.
if(NOT status EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "puffel-batch failed on ${SCRIPT}: ${out}")
endif()

file(GLOB projects ${WORK}/save/*.dat)
foreach(project ${projects})
  execute_process(COMMAND ${RUN} ${NAMES} ${project} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

file(GLOB made ${WORK}/save/*)
file(COPY ${made} DESTINATION ${OUT})
