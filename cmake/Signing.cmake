# Authenticode signing of Velmora.exe after linking, and its companion
# certificate Velmora.cer (one DER certificate) beside it.
#
# Without settings the build makes a development code-signing certificate in
# the build folder. A real one is passed as a PKCS#12 file and a file that
# holds its password, so the password never shows on a command line.
set(VELMORA_SIGN_PFX "" CACHE FILEPATH
    "PKCS#12 file with the code-signing certificate and key; empty: a development certificate")
set(VELMORA_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of VELMORA_SIGN_PFX")

find_program(OSSLSIGNCODE osslsigncode REQUIRED)
find_program(OPENSSL openssl REQUIRED)

set(VELMORA_SIGNING_DIR ${CMAKE_BINARY_DIR}/signing)
# COMMAND ${VELMORA_SIGN} IN OUT CER ${VELMORA_SIGNING_DIR}: signs IN into OUT with the build's
# certificate and writes that certificate to CER.
set(VELMORA_SIGN ${CMAKE_COMMAND} -E env
    "VELMORA_SIGN_PFX=${VELMORA_SIGN_PFX}"
    "VELMORA_SIGN_PASSWORD_FILE=${VELMORA_SIGN_PASSWORD_FILE}"
    "VELMORA_MAKER=${VELMORA_MAKER}"
    "VELMORA_MAKER_URL=${VELMORA_MAKER_URL}"
    ${CMAKE_SOURCE_DIR}/scripts/signing/sign-deliverable.sh)
add_custom_command(
    OUTPUT ${VELMORA_SIGNED_EXE} ${VELMORA_CER}
    COMMAND ${VELMORA_SIGN} $<TARGET_FILE:Velmora> ${VELMORA_SIGNED_EXE} ${VELMORA_CER}
            ${VELMORA_SIGNING_DIR}
    DEPENDS Velmora ${CMAKE_SOURCE_DIR}/scripts/signing/sign-deliverable.sh
            ${CMAKE_SOURCE_DIR}/scripts/signing/make-cert.sh
    COMMENT "Signing Velmora.exe")
add_custom_target(velmora_signed ALL DEPENDS ${VELMORA_SIGNED_EXE} ${VELMORA_CER})
