# Packs the program folder PROGRAM into the zip file ZIP as one folder
# "Puffel", through the staging folder STAGING.
#   cmake -DPROGRAM=program -DSTAGING=zip-staging -DZIP=Puffel-win64.zip -P make_zip.cmake
file(REMOVE_RECURSE ${STAGING})
file(MAKE_DIRECTORY ${STAGING})
file(COPY ${PROGRAM}/ DESTINATION ${STAGING}/Puffel)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip Puffel
                WORKING_DIRECTORY ${STAGING} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${STAGING})
