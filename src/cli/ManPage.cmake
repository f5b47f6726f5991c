# Writes the manual page of the command line from its --help text (run as
# cmake -DPROGRAM=... -DOUTPUT=... -DVERSION=... -P ManPage.cmake), so the two
# never say different things.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed")
endif()
# In roff a backslash is written \e, a hyphen that must stay a minus sign \-,
# and a line may not start with a dot or an apostrophe (\& before them).
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
file(WRITE ${OUTPUT}
  ".TH ROVIDADA\\-DE12\\-CLI 1 \"\" \"rovidada\\-de12\\-cli ${VERSION}\" \"User Commands\"\n"
  ".SH NAME\n"
  "rovidada\\-de12\\-cli \\- read, write and verify the EEPROM of HC12 and MC9S12 microcontrollers\n"
  ".SH DESCRIPTION\n"
  ".nf\n"
  "${help}"
  ".fi\n"
  ".SH SEE ALSO\n"
  "rovidada\\-de12 (the window)\n")
