#include "formats/NoticeFormats.h"

#include "app/StringIds.h"
#include "formats/DscConfiguration.h"
#include "formats/IntunePolicy.h"
#include "formats/RegistryFile.h"
#include "formats/SecurityTemplate.h"
#include "ui/ControlIds.h"

namespace velmora {

namespace {

// The loader tries the rows in this order: regedit's and SetupAPI's own
// files first, so that they are read as those tools read them.
const TNoticeFormat Formats[] = {
    {TNoticeFileFormat::RegistryFile, L"reg", TTextEncoding::Utf16OrCodePage, RegistryFileText,
     IsRegistryFile, ReadRegistryFile, nullptr, IDM_EXPORT_REGISTRY, IDS_EXPORT_REGISTRY_MENU,
     IDS_EXPORT_REGISTRY_TITLE, IDS_TYPE_REGISTRY, IDS_LOAD_FORMAT_REGISTRY, IDS_LOAD_NO_VALUE},
    {TNoticeFileFormat::SecurityTemplate, L"inf", TTextEncoding::Utf16OrCodePage,
     SecurityTemplateText, IsSecurityTemplate, ReadSecurityTemplate, EndsTemplateEarly,
     IDM_EXPORT_TEMPLATE, IDS_EXPORT_TEMPLATE_MENU, IDS_EXPORT_TEMPLATE_TITLE, IDS_TYPE_TEMPLATE,
     IDS_LOAD_FORMAT_TEMPLATE, IDS_LOAD_NO_VALUE},
    {TNoticeFileFormat::IntunePolicy, L"json", TTextEncoding::Utf8, IntunePolicyText,
     IsIntunePolicy, ReadIntunePolicy, nullptr, IDM_EXPORT_INTUNE, IDS_EXPORT_INTUNE_MENU,
     IDS_EXPORT_INTUNE_TITLE, IDS_TYPE_INTUNE, IDS_LOAD_FORMAT_INTUNE, IDS_LOAD_NO_SETTING},
    {TNoticeFileFormat::DscConfiguration, L"ps1", TTextEncoding::Utf8WithMark,
     DscConfigurationText, IsDscConfiguration, ReadDscConfiguration, nullptr, IDM_EXPORT_DSC,
     IDS_EXPORT_DSC_MENU, IDS_EXPORT_DSC_TITLE, IDS_TYPE_DSC, IDS_LOAD_FORMAT_DSC,
     IDS_LOAD_NO_VALUE},
};

}  // namespace

TNoticeFormats NoticeFormats() { return {Formats, sizeof Formats / sizeof Formats[0]}; }

const TNoticeFormat& NoticeFormatOf(TNoticeFileFormat format) {
    for (const TNoticeFormat& row : Formats)
        if (row.format == format) return row;
    return Formats[0];
}

}  // namespace velmora
