#pragma once
// What the welcome screen and the About window say about the product: its
// version and where to find it. The links open these through the shell.
namespace keytide::product {

inline constexpr char kName[] = "Keytide";
inline constexpr char kWelcomeVersion[] = "v1.00";
inline constexpr char kAboutVersion[] = "V 1.00";

inline constexpr char kHomePage[] = "http://keytide.example.org/";
inline constexpr char kSupportAddress[] = "support@keytide.example.org";

}  // namespace keytide::product
