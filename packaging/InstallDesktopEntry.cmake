# Runs at installation time, when the prefix is finally known: writes the desktop entry with the
# installed program's and icon's full paths, since a folder of the user's own is rarely on the
# PATH, nor its share folder among those where desktops look for icons.
# Expects ZELPO_DESKTOP_TEMPLATE, ZELPO_BINDIR, ZELPO_APPLICATIONS_DIR and ZELPO_ICON_FILE to be
# set.

get_filename_component(program "${CMAKE_INSTALL_PREFIX}/${ZELPO_BINDIR}/zelpo" ABSOLUTE)

# The path is quoted as desktop entries ask: inside the quotes a backslash goes before ", `, $
# and \; then, as for any value of the file, every backslash is doubled, and % is written %%.
string(REPLACE "\\" "\\\\" quoted "${program}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
set(ZELPO_EXEC "\"${quoted}\"")

# Any other value takes the escapes of plain strings only.
get_filename_component(icon "${CMAKE_INSTALL_PREFIX}/${ZELPO_ICON_FILE}" ABSOLUTE)
string(REPLACE "\\" "\\\\" icon "${icon}")
string(REPLACE "\n" "\\n" icon "${icon}")
set(ZELPO_ICON "${icon}")

set(entry "${CMAKE_INSTALL_PREFIX}/${ZELPO_APPLICATIONS_DIR}/zelpo.desktop")
get_filename_component(entry "${entry}" ABSOLUTE)
set(entry "$ENV{DESTDIR}${entry}")
message(STATUS "Installing: ${entry}")
configure_file("${ZELPO_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
