#pragma once

#include <QString>

// What the customer asked for: handed from the product grid to the details
// page, on to the delivery page, and back with the delivery's result.
struct PurchaseRequest
{
    QString productId;
    int unitPrice = 0;
    int quantity = 0;

    int total() const { return unitPrice * quantity; }
};
