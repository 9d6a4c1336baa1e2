// Removed once the package frame lands.
namespace { [[maybe_unused]] int placeholder = 0; }
