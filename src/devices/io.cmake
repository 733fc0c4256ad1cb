# pos_device_io: the ports and the drivers on them (Qt Core, Network,
# SerialPort; no widgets).
find_package(Qt6 REQUIRED COMPONENTS Core Network SerialPort)
pos_add_library(pos_device_io
  SOURCES
    DevicePort.cpp
    Devices.cpp
    EasyCheckTerminal.cpp
    KitchenPrinter.cpp
    StarPrinter.cpp
  DEPENDS pos_devices Qt6::Core Qt6::Network Qt6::SerialPort)
set_target_properties(pos_device_io PROPERTIES AUTOMOC ON)
