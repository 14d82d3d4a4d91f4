// Numbers of the string table entries; shared by Strings.rc and the code.
#pragma once

#define IDS_APPNAME            100
#define IDS_WIN32_ERROR        101
#define IDS_CHANGE             102
#define IDS_KEY_OPEN_FAILED    201
#define IDS_KEY_NOT_FOUND      202
#define IDS_KEY_STORE_FAILED   203
#define IDS_KEY_CREATE_FAILED  204
#define IDS_NEED_ADMIN         205
#define IDS_SAVED_QUIT         206
#define IDS_NO_HTMLHELP        207
#define IDS_HELP_FILE_FAILED   208
#define IDS_SIGNATURE_FAILED   209
#define IDS_SIGNATURE_BROKEN   210
#define IDS_TEXT_KEPT          211
#define IDS_FIELD_CAPTION      212
#define IDS_FIELD_TEXT         213
#define IDS_FIELD_PROMPT       214
#define IDS_CERT_FOREIGN       215
#define IDS_ELEVATION_TITLE    301
#define IDS_ELEVATION_TEXT     302
#define IDS_COUNTER_FORMAT     303
#define IDS_SIGNATURE_TITLE    304
#define IDS_CERT_INVALID       305
#define IDS_CERT_VALID         306
#define IDS_POLICY_TITLE       307
#define IDS_POLICY_TEXT        308
#define IDS_EXPORT_REGISTRY_MENU   309
#define IDS_EXPORT_TEMPLATE_MENU   310
#define IDS_EXPORT_REGISTRY_TITLE  311
#define IDS_EXPORT_TEMPLATE_TITLE  312
#define IDS_EXPORT_REGISTRY_FILTER 313
#define IDS_EXPORT_TEMPLATE_FILTER 314
#define IDS_EXPORT_FILE_NAME       315
#define IDS_EXPORT_TOO_LONG        316
#define IDS_INSTALL_CERT_MENU      317
