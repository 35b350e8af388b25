#pragma once

#include <array>

namespace vitalog {

// Addresses of the vendor; kept in one place so a re-brand touches one file.
inline constexpr const char* VendorWebAddress = "http://www.kestrel-software.example/";
inline constexpr const char* VendorMailAddress = "support@kestrel-software.example";
inline constexpr const char* VideoPageAddress = "http://www.kestrel-software.example/video/";

struct AccessoryLink {
    const char* name;
    const char* address;
    const char* tooltip;
};

// The seven accessories the purchase dialog offers.
inline constexpr std::array<AccessoryLink, 7> AccessoryLinks{{
    {"Skinfold Caliper", "http://www.kestrel-software.example/buy/caliper/",
     "A precision skinfold caliper"},
    {"Body Tape Measure", "http://www.kestrel-software.example/buy/tape/",
     "A self-retracting body tape measure"},
    {"Digital Scale", "http://www.kestrel-software.example/buy/scale/", "A digital bathroom scale"},
    {"Blood Pressure Monitor", "http://www.kestrel-software.example/buy/bp-monitor/",
     "An upper-arm blood pressure monitor"},
    {"Heart Rate Monitor", "http://www.kestrel-software.example/buy/heart-rate/",
     "A chest-strap heart rate monitor"},
    {"Body Fat Analyzer", "http://www.kestrel-software.example/buy/analyzer/",
     "A hand-held body fat analyzer"},
    {"Vitalog Guide", "http://www.kestrel-software.example/buy/guide/",
     "The printed guide to body composition"},
}};

} // namespace vitalog
