#include "package/BasicRegister.h"

#include "package/hostapi/ArduinoLibrary.h"
#include "package/hostapi/DesignFramework.h"

#include <cstdint>

namespace Velto::Arduino::Basic::Register {
namespace {
struct TStreamColor {
  TGUID StreamType;
  uint32_t Color;  // 0x00BBGGRR
  float Thickness;
};

// Link colour and thickness per stream type, in registration order.
constexpr TStreamColor StreamColors[] = {
    {TGUID::Parse("{7801FB9D-9E30-42A8-874D-2F19BAFAA106}"), 0x00DCF8FF, 1.0f},  // cornsilk
    {TGUID::Parse("{AD66C01B-99EE-4248-A91A-8BFA5DC7044F}"), 0x00ED9564, 1.0f},  // cornflowerblue
    {TGUID::Parse("{7BD01E33-E993-45E7-89E8-174AAF215D1D}"), 0x00EBCE87, 3.0f},  // skyblue
    {TGUID::Parse("{346A1459-57F0-4A7C-BED8-A5D958D13E99}"), 0x00EBCE87, 2.0f},  // skyblue
    {TGUID::Parse("{D7A6D3B9-969C-4151-B702-6DD413294F29}"), 0x00CBC0FF, 2.0f},  // pink
    {TGUID::Parse("{755ADE19-9ED5-4C58-8A49-4C28E6E33E6F}"), 0x00CC3299, 2.0f},  // darkorchid
    {TGUID::Parse("{199144E2-F2FC-4B93-9304-DA7D4EE47182}"), 0x00CC3299, 2.0f},  // darkorchid
    {TGUID::Parse("{35286361-40A8-4AED-98E2-1766DA289550}"), 0x00CC3299, 2.0f},  // darkorchid
    {TGUID::Parse("{5EA44B54-288D-42B2-AD57-46EC486E935D}"), 0x0032CD9A, 2.0f},  // yellowgreen
    {TGUID::Parse("{1AF36FA9-B7A6-42E6-AA70-41EE71142F3B}"), 0x00AAE8EE, 2.0f},  // palegoldenrod
    {TGUID::Parse("{6A863C44-9FBB-4F8B-B92F-41564FB3FE6E}"), 0x00DEC4B0, 2.0f},  // lightsteelblue
    {TGUID::Parse("{EBC08668-697C-4F49-ABC0-5FDA5BF45EAE}"), 0x00AAB220, 2.0f},  // lightseagreen
    {TGUID::Parse("{4651C1D1-FD59-462C-95ED-11AA0464DCBE}"), 0x00FACE87, 2.0f},  // lightskyblue
    {TGUID::Parse("{6C1C7BB6-7DEE-4065-8C01-88F3E8201C83}"), 0x00DEC4B0, 2.0f},  // lightsteelblue
    {TGUID::Parse("{8EE69DB1-4272-45AE-968E-510F47013181}"), 0x00EEEEAF, 1.0f},  // paleturquoise
    {TGUID::Parse("{D9F35B1D-0D7D-4F8B-B80E-A0E4C0071E07}"), 0x00EEEEAF, 1.0f},  // paleturquoise
    {TGUID::Parse("{65386340-6DA6-459B-90C5-649DA7BFCDA2}"), 0x008F8FBC, 1.0f},  // rosybrown
    {TGUID::Parse("{3FA9EA04-763C-4F7B-A79E-C368B1669E51}"), 0x00AAE8EE, 1.0f},  // palegoldenrod
    {TGUID::Parse("{94AA3F86-4DCB-408F-92E8-9C8542E2F7FE}"), 0x009370DB, 1.0f},  // palevioletred
    {TGUID::Parse("{1A99DCB6-9CC9-4F44-AD57-8E02CB9F5188}"), 0x000000FF, 2.5f},  // red
    {TGUID::Parse("{F4E1E07F-BC50-44A2-8EB8-F850F6843E29}"), 0x00FFFF00, 2.5f},  // aqua
    {TGUID::Parse("{3DB0049F-4771-4595-A946-B16301BBF7FB}"), 0x00800080, 2.5f},  // purple
    {TGUID::Parse("{FD222126-604D-4401-9377-199B1F5E7CBE}"), 0x00C1B6FF, 2.0f},  // lightpink
    {TGUID::Parse("{8C5CEE91-D1C8-4781-BA49-7A41043F5870}"), 0x0000FFFF, 2.0f},  // yellow
    {TGUID::Parse("{C6F0FC2B-1016-4803-BC03-35538EE13438}"), 0x00808080, 2.0f},  // gray
    {TGUID::Parse("{524D83E5-A5C6-4BDE-8B77-D035A8E6818B}"), 0x00808080, 1.5f},  // gray
    {TGUID::Parse("{553A6C99-871A-4292-9620-B1D5B7CD07F8}"), 0x0000FF00, 2.0f},  // lime
    {TGUID::Parse("{29ED4CE4-4E2C-414B-8DBB-BC6F5F101DB9}"), 0x0032CD32, 2.0f},  // limegreen
    {TGUID::Parse("{5AD115FE-B849-476B-8694-E27606D9FC31}"), 0x009370DB, 2.0f},  // palevioletred
    {TGUID::Parse("{C8AC7415-71AB-4ED6-B756-33655DC65E76}"), 0x00EEEEAF, 2.0f},  // paleturquoise
    {TGUID::Parse("{711900E4-9F6F-40AC-9E01-B5EFA35D499F}"), 0x0032CD32, 2.0f},  // limegreen
    {TGUID::Parse("{575E91DF-0196-4F92-9BD7-96CBEE0BBE0B}"), 0x00C4E4FF, 2.0f},  // bisque
    {TGUID::Parse("{E31B7037-B473-4271-A521-D87CB5ADC736}"), 0x00C1B6FF, 2.0f},  // lightpink
    {TGUID::Parse("{F81192FE-384B-4224-9136-FF6CD46F71E5}"), 0x00DCF8FF, 2.0f},  // cornsilk
};
}  // namespace

void Register() {
  for (const TStreamColor& s : StreamColors) SWRegisterStreamColorThickness(s.StreamType, s.Color, s.Thickness);

  Velto::Arduino::Converters::RegisterPkg();
  Velto::Arduino::Packet::RegisterPkg();
  Velto::Arduino::Text::RegisterPkg();
  Velto::Arduino::Structure::RegisterPkg();
  Velto::Arduino::Mqtt::RegisterPkg();
  Velto::Arduino::Json::RegisterPkg();
}

}  // namespace Velto::Arduino::Basic::Register
