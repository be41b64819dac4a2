# Runs the table generator into WORK_DIR and fails unless its output equals
# the committed COMMITTED byte for byte: the committed tables must be what
# the generator makes of the committed data.
#
# cmake -DPYTHON=... -DGENERATOR=... -DCOMMITTED=... -DWORK_DIR=... -P CompareRegenerated.cmake
foreach(variable IN ITEMS PYTHON GENERATOR COMMITTED WORK_DIR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "CompareRegenerated.cmake needs -D${variable}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(name ${COMMITTED} NAME)
set(regenerated ${WORK_DIR}/${name})

execute_process(
  COMMAND ${PYTHON} ${GENERATOR} --output ${regenerated}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed (${status})")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E compare_files ${COMMITTED} ${regenerated}
  RESULT_VARIABLE different)
if(different)
  execute_process(COMMAND diff -u ${COMMITTED} ${regenerated} OUTPUT_VARIABLE changes)
  string(SUBSTRING "${changes}" 0 4000 changes)
  message(FATAL_ERROR
    "${COMMITTED} is not what the generator makes of its data; run\n"
    "  python3 tools/generate_tables.py\n"
    "and commit the result. Start of the difference:\n${changes}")
endif()
message(STATUS "${name} matches its regenerated copy")
