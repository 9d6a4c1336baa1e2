#pragma once

// Registration procedures of the component library's packages: each puts its components on the
// designer's palette. A design package calls them from its own registration.
namespace Velto::Arduino::Converters { void RegisterPkg(); }
namespace Velto::Arduino::Packet { void RegisterPkg(); }
namespace Velto::Arduino::Text { void RegisterPkg(); }
namespace Velto::Arduino::Structure { void RegisterPkg(); }
namespace Velto::Arduino::Mqtt { void RegisterPkg(); }
namespace Velto::Arduino::Json { void RegisterPkg(); }
