# Builds Quellor's MSI package from packaging/Quellor.wxs with wixl, the
# same bytes every time from the same files:
#   cmake -DWXS=<Quellor.wxs> -DVERSION=<version> -DSTAGE=<the folder of the
#         shipped Quellor.exe and LICENSE.txt> -DICON=<idle.ico>
#         -DEPOCH=<seconds since 1970> -DOUTPUT=<the .msi> -P BuildMsi.cmake
# - wixl stamps the package with the clock and a random package code: the
#   clock stands still at EPOCH while it runs (faketime), and the package
#   code is made from the version, EPOCH and the files that go in. The
#   files' times in the cabinet are their own (the staging fixes them).
# - The product code is the version's own, so that each version replaces
#   the other (a major upgrade, by the fixed upgrade code).
# - wixl takes no <Condition> in a Component: the Run value's two forms get
#   theirs here, with msibuild, and so do the launch conditions that fail an
#   install whose AUTOSTART or SWITCHON is neither 0 nor 1.
cmake_policy(VERSION 3.20)
find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
find_program(FAKETIME faketime REQUIRED)

set(upgrade_code B1135E60-B473-46DC-A4E7-DF87E01F0947)
string(UUID product_code NAMESPACE ${upgrade_code} NAME "Quellor ${VERSION}" TYPE SHA1 UPPER)
set(inputs "${VERSION} ${EPOCH}")
foreach(file ${WXS} ${STAGE}/Quellor.exe ${STAGE}/LICENSE.txt ${ICON})
  file(SHA256 ${file} hash)
  string(APPEND inputs " ${hash}")
endforeach()
string(UUID package_code NAMESPACE ${upgrade_code} NAME "${inputs}" TYPE SHA1 UPPER)
set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
string(TIMESTAMP frozen "%Y-%m-%d %H:%M:%S" UTC)

# Quoted arguments, some with semicolons, go to execute_process as they stand.
macro(check what)
  # wixl says "unimplemented" of what it leaves out of the package.
  if(NOT status EQUAL 0 OR output MATCHES "unimplemented")
    message(FATAL_ERROR "BuildMsi: ${what} failed (${status}):\n${output}")
  endif()
endmacro()

# wixl takes the files by name from the folder of the .wxs: all go into one,
# with their times.
set(work ${OUTPUT}.part)
file(REMOVE_RECURSE ${work} ${work}.d)
file(COPY ${WXS} ${STAGE}/Quellor.exe ${STAGE}/LICENSE.txt ${ICON} DESTINATION ${work}.d)
get_filename_component(wxs_name ${WXS} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 ${FAKETIME} "${frozen}" ${WIXL} -a x86 -D Version=${VERSION}
                        -D ProductCode=${product_code} -o ${work} ${work}.d/${wxs_name}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(REMOVE_RECURSE ${work}.d)
check(wixl)

set(plain "AUTOSTART=\"1\" AND SWITCHON=\"0\"")
set(switched_on "AUTOSTART=\"1\" AND SWITCHON=\"1\"")
set(launch "INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES")
# SecureCustomProperties: passed on to the installing service also when an
# administrator's tool, not an administrator, starts the install.
execute_process(COMMAND ${MSIBUILD} ${work}
                -q "UPDATE `Component` SET `Condition` = '${plain}' WHERE `Component` = 'StartAtLogon'"
                -q "UPDATE `Component` SET `Condition` = '${switched_on}' WHERE `Component` = 'StartAtLogonSwitchedOn'"
                -q "${launch} ('AUTOSTART=\"0\" OR AUTOSTART=\"1\"', 'AUTOSTART takes 0 or 1, not \"[AUTOSTART]\".')"
                -q "${launch} ('SWITCHON=\"0\" OR SWITCHON=\"1\"', 'SWITCHON takes 0 or 1, not \"[SWITCHON]\".')"
                -q "UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;AUTOSTART;SWITCHON' WHERE `Property` = 'SecureCustomProperties'"
                -s "Quellor ${VERSION}" Marrowby "Intel;1033" "{${package_code}}"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
check(msibuild)
file(RENAME ${work} ${OUTPUT})
