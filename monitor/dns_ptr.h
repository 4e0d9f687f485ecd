// The reverse (PTR) look-up of the Connections dialog as bytes: the query for d.c.b.a.in-addr.arpa
// and the reading of the reply within its length. A reply with another ID, one that is not a
// response, or one without answers gives no name.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t kDnsBufferSize = 2048;
constexpr size_t kDnsMaxName = 255;

// Appends the labels of reversedText ("4.3.2.1", at most 31 characters), then in-addr and arpa
// and the zero byte; false when the text is too long, has an empty or overlong label, or the
// capacity is short. *length is the number of bytes written.
bool DnsEncodeReverseName(const char* reversedText, uint8_t* out, size_t capacity, size_t* length);

// The whole query (header, QNAME, QTYPE 12, QCLASS 1); 0 when it cannot be built.
size_t BuildPtrQuery(uint16_t id, const char* reversedText, uint8_t* buffer, size_t capacity);

// Decodes the name at offset, following compression pointers within the reply, at most kDnsMaxName
// characters; false when it leads outside the reply, loops or is too long. *after is the offset
// right after the name where it starts (after its first pointer, when it has one).
bool DnsDecodeName(const uint8_t* reply, size_t length, size_t offset, std::string* name, size_t* after);

enum class PtrReply {
  kIgnored,  // not an answer to this query: keep waiting
  kNoName,   // an answer, but no PTR name in its first record
  kName,
};

// Reads a received reply of length bytes to the query with this id.
PtrReply ReadPtrReply(const uint8_t* reply, size_t length, uint16_t id, std::string* name);

// The reversed address text of a number whose most significant byte is the first octet.
std::string ReversedAddressText(uint32_t address);
