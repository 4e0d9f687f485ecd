// The controlled side's table of the pairing keys it gave out, by the controller's host octet,
// with the subnet octet whose controllers it admits. Stored in "KmRandPswdLocal.txt".
//
// The checks of incoming secure packets read the snapshot under the lock; every writer changes
// the live fields and then retakes the snapshot. The live fields are themselves only touched under
// the same lock, so the UDP service thread and a reload on the user-interface thread never see a
// half-written table.
#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "common/secure_clear.h"
#include "peers/lan_message.h"

class KmKeyTable {
 public:
  static constexpr int kHosts = 256;
  static constexpr wchar_t kFileName[] = L"KmRandPswdLocal.txt";

  KmKeyTable() = default;
  KmKeyTable(const KmKeyTable&) = delete;
  KmKeyTable& operator=(const KmKeyTable&) = delete;

  // Live fields.
  uint8_t Subnet() const;
  void SetSubnet(uint8_t subnet);
  bool IsUsed(int host) const;
  void GetKey(int host, uint8_t key[kKmBlockSize]) const;
  // A delivered key: subnet := the controller's third octet, used and key at its fourth.
  void StoreKey(uint8_t subnet, uint8_t host, const uint8_t key[kKmBlockSize]);
  void RemoveKey(uint8_t host);
  void Clear();  // used and keys; the subnet stays

  // Copies used, subnet and keys into the snapshot.
  void TakeSnapshot();
  // The snapshot's key of `host`; false when the snapshot has no key there.
  bool SnapshotKey(int host, uint8_t key[kKmBlockSize]) const;
  uint8_t SnapshotSubnet() const;

  // The settings lines after the header: the subnet, then "host,32 hex digits" per used host in
  // ascending order.
  std::vector<std::wstring> ToLines() const;
  // Fills used and keys from such lines (after the header) and the subnet from the first. Lines
  // that are empty, that do not split into two fields, whose host is outside 0 to 255 or whose key
  // field has fewer than 32 characters are skipped. Without any line the subnet stays.
  void FromLines(const std::vector<std::wstring>& lines);

  // "KmRandPswdLocal.txt" in the program folder: Load fills the live fields (a missing file leaves
  // an empty table with the subnet as it was), Save writes them. Save is false when the file
  // could not be written.
  void Load(const std::wstring& folder);
  bool Save(const std::wstring& folder) const;

  // Start-up: Load, then the subnet of this computer's private network, then the snapshot. With a
  // private address of 0.0.0.0 the subnet is the physical adapter's own third octet.
  void LoadAtStartup(const std::wstring& folder, const uint8_t private_address[4], const uint8_t adapter_address[4]);

 private:
  struct Fields {
    uint8_t subnet = 0;
    uint8_t used[kHosts] = {};
    uint8_t key[kHosts][kKmBlockSize] = {};
    ~Fields() { SecureClear(key, sizeof key); }
  };

  mutable std::mutex lock_;
  Fields live_;
  Fields snapshot_;
};

// The subnet octet a key table admits after start-up.
uint8_t StartupKeyTableSubnet(const uint8_t private_address[4], const uint8_t adapter_address[4]);
