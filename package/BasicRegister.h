#pragma once

// Module Velto.Arduino.Basic.Register: the link colours of the component library's stream types
// and the hand-over to the library's own package registrations.
namespace Velto::Arduino::Basic::Register {
void Register();
}
