# Starts recorder.exe twice in a folder with a blank in its name, with an argument
# holding a blank and an umlaut, and checks both records and the exit codes.
# Given: EMULATOR, RECORDER, WORK.
file(REMOVE_RECURSE "${WORK}")
set(cwd "${WORK}/work folder")
file(MAKE_DIRECTORY "${cwd}")
string(REPLACE "/" "\\" windowsCwd "Z:${cwd}")
string(REPLACE "/" "\\" windowsLog "Z:${WORK}/records.log")
set(ENV{RECORDER_LOG} "${windowsLog}")

set(ENV{RECORDER_EXIT} 3)
execute_process(COMMAND ${EMULATOR} ${RECORDER} "Lüfter Daten" plain
                WORKING_DIRECTORY "${cwd}" RESULT_VARIABLE first)
unset(ENV{RECORDER_EXIT})
execute_process(COMMAND ${EMULATOR} ${RECORDER} second
                WORKING_DIRECTORY "${cwd}" RESULT_VARIABLE second)
if(NOT first EQUAL 3 OR NOT second EQUAL 0)
  message(FATAL_ERROR "exit codes ${first} and ${second}, expected 3 and 0")
endif()

file(READ "${WORK}/records.log" records)
string(REPLACE "\\" "/" records "${records}")
string(REPLACE "\\" "/" windowsCwd "${windowsCwd}")
string(REGEX MATCHALL "cmdline=[^\n]*" cmdlines "${records}")
list(LENGTH cmdlines count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "expected 2 records, found ${count}:\n${records}")
endif()
foreach(expected
    " \"Lüfter Daten\" plain\n"
    "\ncwd=${windowsCwd}\nmodule=" "\nargc=3\narg0=" "\narg1=Lüfter Daten\narg2=plain\n\ncmdline="
    "\nargc=2\n" "\narg1=second\n\n")
  string(FIND "${records}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "'${expected}' not recorded:\n${records}")
  endif()
endforeach()
