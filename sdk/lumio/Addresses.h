#pragma once

// Fixed bus addresses of every party; compared whole and case-sensitively.
namespace Address {

inline constexpr char Shell[] = "{D2421E81-FC91-45ce-BA71-7116B45D04B1}";
inline constexpr char ControlsLibrary[] = "{04B97A92-2271-4890-83DF-412ABA9ABCA4}";
inline constexpr char Login[] = "{03228C5F-30DF-4ec3-8B27-81AF79DF0A6A}";
inline constexpr char Chat[] = "{FE9829B7-5267-D9AA-3917-514F39C709F0}";
inline constexpr char Contacts[] = "{5EE3221F-AC38-4b54-9DDF-83773A91981B}";
inline constexpr char MainPanel[] = "{77CCE3F9-79F5-C5E8-17E7-F6B7389AAA6E}";
inline constexpr char ContactCard[] = "{7123C2B9-E89C-0CC5-5B1E-9496BB7427C8}";
inline constexpr char OwnProfile[] = "{953211BF-CFC7-8604-9B1A-74903FCBA708}";
inline constexpr char OwnAccount[] = "{783CB2F5-C4E8-2EB0-E041-5B1FE009C8CD}";
inline constexpr char GroupChat[] = "{2172813C-E314-727B-CD3B-E3A469DA945C}";
inline constexpr char SystemSettings[] = "{2172813C-E314-727B-CD3B-E3A469DA6521}";
inline constexpr char SipPhone[] = "{1B830347-B369-4BD2-9E65-259BB2A36212}";
inline constexpr char UserDirectory[] = "{8732B5E7-2377-4061-937E-B3D7A27B6483}";
inline constexpr char ExitNotified[] = "{BD0F7198-F715-4B5B-9454-D4FFDE9F3AB9}";
inline constexpr char SmallBoxSender[] = "{B28B08D1-E2F3-4439-9AC5-B6CD34F7516D}";
inline constexpr char FileManager[] = "{74B4B541-256C-4EC9-9B14-BC9336EF8E5A}";
inline constexpr char Topic[] = "{4188F242-B145-4416-8499-DC0257271F60}";

// An empty target reaches every plug-in but the sender.
inline constexpr char Broadcast[] = "";

} // namespace Address
